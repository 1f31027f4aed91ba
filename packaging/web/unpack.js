// SPDX-License-Identifier: GPL-3.0-or-later
// Before the glue's own start: the program's module comes packed with LZMA
// (packwasm.py fills in both texts), unpacked by a small module of its own
// (unpack.cpp), then instantiated as the glue would. The packed text is in
// data blocks of the page, not a string of this script: the browser need not
// compile 120 KB before its first paint.
Module['instantiateWasm'] = function (imports, receive) {
  var text = document.getElementById('cylinder-module').textContent;
  var binary = atob('@UNPACK_WASM@');
  var code = new Uint8Array(binary.length);
  for (var i = 0; i < binary.length; ++i) code[i] = binary.charCodeAt(i);
  var unpacker = new WebAssembly.Instance(new WebAssembly.Module(code)).exports;
  // Each call may grow the memory, which leaves views of it made before empty.
  var at = unpacker.room(text.length);
  new TextEncoder().encodeInto(text, new Uint8Array(unpacker.memory.buffer, at, text.length));
  var out = unpacker.unpack(text.length);
  var size = new DataView(unpacker.memory.buffer).getUint32(at + 1, true);
  WebAssembly.instantiate(new Uint8Array(unpacker.memory.buffer, out, size), imports)
    .then(function (result) { receive(result.instance, result.module); });
  return {};
};
