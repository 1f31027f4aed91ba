// SPDX-License-Identifier: GPL-3.0-or-later
// The page's side of WebWindow: the controls are the page's own elements,
// found by array and index through the ids in Module.design (makepage.cpp).
var cylinderLibrary = {
  $cylinderPage: {
    control: function (array, i) { return document.getElementById(Module['design'][array][i]); },
    box: function (i) { return cylinderPage.control('Text2', i); },
    option: function (k) { return cylinderPage.control('Option1', k).firstElementChild; },
    text: function (ptr, length) {
      var units = HEAPU16.subarray(ptr >> 1, (ptr >> 1) + length);
      var s = '';
      for (var i = 0; i < units.length; i += 8192)
        s += String.fromCharCode.apply(null, units.subarray(i, i + 8192));
      return s;
    },
    focusBeforeError: null,
    measure: null,  // a canvas context: text widths in the boxes' fonts
    // After a calculation on a narrow screen: the report and the head of the
    // solution scrolled into what the keyboard leaves in view, as little as
    // it takes (the report first if both do not fit); the focus stays.
    reveal: function () {
      if (!matchMedia(Module['design'].narrow).matches || document.getElementById('error').open) return;
      var shown = [cylinderPage.control('Text1', 0), document.querySelector('#solution h2')]
        .filter(function (e) { return e && e.getClientRects().length > 0; })
        .map(function (e) { return e.getBoundingClientRect(); });
      var view = window.visualViewport || {offsetTop: 0, height: innerHeight};
      var margin = 8;
      var above = Math.min.apply(null, shown.map(function (r) { return r.top; })) - margin - view.offsetTop;
      var below = Math.max.apply(null, shown.map(function (r) { return r.bottom; })) + margin -
                  (view.offsetTop + view.height);
      var by = below > 0 ? Math.min(below, above) : Math.min(above, 0);
      if (by === 0) return;
      var still = matchMedia('(prefers-reduced-motion: reduce)').matches;
      scrollBy({top: by, behavior: still ? 'auto' : 'smooth'});
    },
    solutionText: [],  // the solution's lines as plain text, for copying
  },

  // The separator of the browser's first language; '.' where Intl knows no
  // such language (WebKit started in the C locale reports "C").
  cylinder_decimalSeparator: function () {
    try {
      var parts = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
      var decimal = parts.find(function (part) { return part.type === 'decimal'; });
      if (decimal && decimal.value.length === 1) return decimal.value.charCodeAt(0);
    } catch (e) {}
    return 46;
  },

  // `rounding`: the place the program starts with, in the select's order.
  cylinder_attach__deps: ['malloc', 'free'],
  cylinder_attach: function (rounding) {
    var page = cylinderPage;
    var design = Module['design'];
    for (var k = 0; k < design.Option1.length; ++k)
      page.option(k).addEventListener('click', Module['_cylinder_optionClicked'].bind(null, k));
    page.control('Command1', 0).addEventListener('click', function () {
      Module['_cylinder_commandClicked'](0);
      page.reveal();
    });
    page.control('Command1', 1)
      .addEventListener('click', Module['_cylinder_commandClicked'].bind(null, 1));
    // Enter in a box (an on-screen keyboard's action key too) clicks the
    // button the window's keyboard names for it.
    var enter = function (i, event) {
      if (event.key !== 'Enter' || event.isComposing || design.enter[i] < 0) return;
      event.preventDefault();
      page.control('Command1', design.enter[i]).click();
    };
    for (var i = 0; i < design.Text2.length; ++i) {
      var box = page.box(i);
      box.addEventListener('keydown', enter.bind(null, i));
      // The box shows its whole text while it has the focus.
      box.addEventListener('focus', function (event) { event.target.classList.remove('fitted'); });
      box.addEventListener('blur', Module['_cylinder_fitBox'].bind(null, i));
    }
    // A task: Enter (not Shift+Enter, a new line) presses "Реши", which
    // hands the field's text to the program.
    var task = document.getElementById('task-text');
    var solve = document.getElementById('task-solve');
    task.addEventListener('keydown', function (event) {
      if (event.key !== 'Enter' || event.shiftKey || event.isComposing) return;
      event.preventDefault();
      solve.click();
    });
    solve.addEventListener('click', function () {
      var text = task.value;
      var at = _malloc(2 * text.length + 2);
      for (var i = 0; i < text.length; ++i) HEAPU16[(at >> 1) + i] = text.charCodeAt(i);
      Module['_cylinder_task'](at, text.length);
      _free(at);
    });
    // A touch screen's keys write their sign at the caret of the box or task
    // field last focused, as typed there. They never take the focus
    // (cancelled on pointerdown, and on mousedown where a browser still
    // focuses then), so the on-screen keypad stays open.
    var typed = '.box, #task-text';
    var typing = document.activeElement;
    document.addEventListener('focusin', function (event) {
      if (event.target.matches(typed)) typing = event.target;
    });
    var keep = function (event) { event.preventDefault(); };
    document.querySelectorAll('.keys button').forEach(function (key) {
      key.addEventListener('pointerdown', keep);
      key.addEventListener('mousedown', keep);
      key.addEventListener('click', function () {
        if (!typing.matches(typed) || typing.readOnly) return;
        var sign = key.textContent;
        typing.setRangeText(sign, typing.selectionStart, typing.selectionEnd, 'end');
        if (document.activeElement !== typing) typing.focus();
        typing.dispatchEvent(new InputEvent('input', {bubbles: true, inputType: 'insertText', data: sign}));
      });
    });
    // Measured again once the page's fonts are in, and for the other layout.
    var refit = function () {
      for (var i = 0; i < design.Text2.length; ++i) Module['_cylinder_fitBox'](i);
    };
    document.fonts.ready.then(refit);
    matchMedia(design.narrow).addEventListener('change', refit);
    // The answer's place: what the select shows is the program's own.
    var place = document.getElementById('rounding');
    place.selectedIndex = rounding;
    place.addEventListener('change', function () {
      Module['_cylinder_roundingChosen'](place.selectedIndex);
    });
    // Copied from the solution, its lines as plain text ("√(H² + 2Sp/π)"):
    // MathML's own text would lose the fractions and roots.
    var lines = document.getElementById('solution-lines');
    lines.addEventListener('copy', function (event) {
      var selection = getSelection();
      var text = page.solutionText.filter(function (line, i) {
        return selection.containsNode(lines.children[i], true);
      });
      if (!text.length) return;
      var lf = String.fromCharCode(10);
      event.clipboardData.setData('text/plain', text.join(lf) + lf);
      event.preventDefault();
    });
    // Closed by its button, Enter or Escape: the focus goes back where it was.
    document.getElementById('error').addEventListener('close', function () {
      var before = page.focusBeforeError;
      page.focusBeforeError = null;
      if (before && before.isConnected) before.focus();
    });
    // Load run and handlers attached: tests and the start-up benchmark wait for this.
    performance.mark('cylinder-ready');
    document.documentElement.setAttribute('data-ready', '');
  },

  // The box's text: its first `length` code units written at `out`, its length returned.
  cylinder_boxText: function (box, out, length) {
    var value = cylinderPage.box(box).value;
    for (var i = 0; i < length; ++i) HEAPU16[(out >> 1) + i] = value.charCodeAt(i);
    return value.length;
  },

  cylinder_setBoxText: function (box, text, length) {
    var input = cylinderPage.box(box);
    input.value = cylinderPage.text(text, length);
    // A long number shows its start, as on the desktop.
    if (document.activeElement === input) input.setSelectionRange(0, 0);
    input.scrollLeft = 0;
  },

  cylinder_textFits: function (box, text, length) {
    var input = cylinderPage.box(box);
    var style = getComputedStyle(input);
    var room = input.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    if (!cylinderPage.measure) cylinderPage.measure = document.createElement('canvas').getContext('2d');
    var measure = cylinderPage.measure;
    measure.font = style.fontWeight + ' ' + style.fontSize + ' ' + style.fontFamily;
    return measure.measureText(cylinderPage.text(text, length)).width <= room ? 1 : 0;
  },

  // Shows `text` over the box while it has no focus, where it differs from
  // the box's own; the box keeps its value and gives it as its tooltip.
  cylinder_showFitted: function (box, text, length) {
    var input = cylinderPage.box(box);
    var shown = cylinderPage.text(text, length);
    var cover = input.nextElementSibling;  // over the box
    var fitted = shown !== input.value;
    cover.textContent = fitted ? shown : '';
    if (fitted) input.title = input.value; else input.removeAttribute('title');
    input.classList.toggle('fitted', fitted && document.activeElement !== input);
  },

  cylinder_setBoxLocked: function (box, locked) {
    var input = cylinderPage.box(box);
    input.readOnly = locked !== 0;
    // A narrow screen shows the unlocked row only.
    input.parentElement.classList.toggle('locked', locked !== 0);
  },

  cylinder_selectOption: function (k) {
    cylinderPage.option(k).checked = true;
  },

  // The text of the answer's place `index`, in the select's order.
  cylinder_setRoundingChoice: function (index, text, length) {
    document.getElementById('rounding').options[index].text = cylinderPage.text(text, length);
  },

  cylinder_setReportText: function (text, length) {
    var area = cylinderPage.control('Text1', 0);
    area.value = cylinderPage.text(text, length);
    area.scrollTop = 0;
  },

  // The solution's lines (HTML with MathML, from the program's own texts and
  // numbers) and its sketch (SVG, or none), both UTF-8, and its plain text;
  // all empty: hidden.
  cylinder_setSolution: function (html, sketch, text, length) {
    var lines = UTF8ToString(html);
    document.getElementById('solution-sketch').innerHTML = UTF8ToString(sketch);
    document.getElementById('solution-lines').innerHTML = lines;
    cylinderPage.solutionText = cylinderPage.text(text, length).split(String.fromCharCode(13, 10)).slice(0, -1);
    document.getElementById('solution').hidden = lines === '';
  },

  cylinder_showError: function (text, length) {
    var dialog = document.getElementById('error');
    document.getElementById('error-text').textContent = cylinderPage.text(text, length);
    if (dialog.open) return;
    cylinderPage.focusBeforeError = document.activeElement;
    dialog.showModal();
    document.getElementById('error-close').focus();
  },
};
autoAddDeps(cylinderLibrary, '$cylinderPage');
mergeInto(LibraryManager.library, cylinderLibrary);
