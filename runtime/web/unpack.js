// SPDX-License-Identifier: GPL-3.0-or-later
// Before the glue's own start: the program's module comes packed with LZMA
// (packwasm.py fills in both texts), unpacked by a small module of its own
// (unpack.cpp), then instantiated as the glue would.
Module['instantiateWasm'] = function (imports, receive) {
  var bytes = function (base64) {
    var text = atob(base64), out = new Uint8Array(text.length);
    for (var i = 0; i < text.length; ++i) out[i] = text.charCodeAt(i);
    return out;
  };
  var packed = bytes('@PACKED_WASM@');
  var unpacker = new WebAssembly.Instance(new WebAssembly.Module(bytes('@UNPACK_WASM@'))).exports;
  // Each call may grow the memory, which leaves views of it made before empty.
  var at = unpacker.room(packed.length);
  new Uint8Array(unpacker.memory.buffer, at, packed.length).set(packed);
  at = unpacker.unpack(packed.length);
  var size = new DataView(packed.buffer).getUint32(1, true);
  WebAssembly.instantiate(new Uint8Array(unpacker.memory.buffer, at, size), imports)
    .then(function (result) { receive(result.instance, result.module); });
  return {};
};
