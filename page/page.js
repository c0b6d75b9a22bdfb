// The page's side of Viramont: it makes the elements the program asks for,
// draws what its canvases ask, opens its boxes and passes the user's events
// to it. Every rule of the program lives in its C++ (page_main.cpp and the
// layers below); nothing here decides what a press does.
'use strict';

window.viramontPage = (() => {
  const form = document.getElementById('form');
  const box = document.getElementById('box');
  const menu = document.getElementById('menu');
  const measure = document.createElement('canvas').getContext('2d');
  const contexts = new Map();   // canvas id -> 2D context
  const readerLines = new Map();  // canvas id -> the element of its lines for screen readers
  const listEntries = [];       // Combo1's entries
  let program = null;           // the WebAssembly module
  let formWidth = 0, formHeight = 0;

  // ---- the form ----------------------------------------------------------

  function setFormSize(width, height, back, title) {
    formWidth = width;
    formHeight = height;
    form.style.width = width + 'px';
    form.style.height = height + 'px';
    form.style.background = back;
    document.title = title;
  }

  function place(el, c) {
    el.id = c.name;
    el.style.left = c.left + 'px';
    el.style.top = c.top + 'px';
    el.style.width = c.width + 'px';
    el.style.height = c.height + 'px';
    el.style.font = c.font;
    el.style.color = c.fore;
    el.style.background = c.back;
    el.style.textAlign = c.centred ? 'center' : 'left';
    if (c.accessibleName) el.setAttribute('aria-label', c.accessibleName);
    if (c.output) el.setAttribute('aria-readonly', 'true');
    return el;
  }

  function addControl(c) {
    let el;
    switch (c.kind) {
      case 'label':
        el = place(document.createElement('div'), c);
        el.className = 'label';
        el.textContent = c.text;
        break;
      case 'field':
        el = place(document.createElement('input'), c);
        el.type = 'text';
        el.className = 'field';
        el.value = c.text;
        el.maxLength = 40000;
        el.spellcheck = false;
        el.autocomplete = 'off';
        break;
      case 'button':
        el = place(document.createElement('button'), c);
        el.className = 'button';
        el.textContent = c.text;
        el.addEventListener('click', () => press(c.name));
        break;
      case 'list':
        el = makeList(c);
        break;
      case 'picture':
        el = makePicture(c);
        break;
    }
    if (c.kind !== 'label') el.tabIndex = c.tabIndex + 1;
    form.appendChild(el.closest('.holder') || el);
    if (readerLines.has(c.name)) el.after(readerLines.get(c.name));
  }

  // Combo1: an editable text with a list of entries under it. Typing picks
  // nothing; an entry chosen with the mouse, or with the arrow keys in the
  // text, is a pick.
  function makeList(c) {
    const holder = document.createElement('div');
    holder.className = 'holder combo';
    for (const side of ['left', 'top', 'width', 'height']) holder.style[side] = c[side] + 'px';
    const input = place(document.createElement('input'), c);
    input.className = 'field';
    input.style.left = input.style.top = '0';
    input.style.width = '100%';
    input.style.height = '100%';
    input.value = c.text;
    input.maxLength = 40000;
    input.spellcheck = false;
    input.autocomplete = 'off';
    input.setAttribute('role', 'combobox');
    input.setAttribute('aria-expanded', 'false');
    input.setAttribute('aria-controls', 'Combo1-list');
    const arrow = document.createElement('div');
    arrow.className = 'arrow';
    const arrowWidth = Math.max(8, Math.round(c.height * 0.5));
    arrow.style.width = arrowWidth + 'px';
    input.style.paddingRight = arrowWidth + 4 + 'px';
    arrow.setAttribute('aria-hidden', 'true');
    const list = document.createElement('ul');
    list.id = 'Combo1-list';
    list.className = 'entries';
    list.setAttribute('role', 'listbox');
    list.style.font = c.font;
    list.hidden = true;
    holder.append(input, arrow, list);

    const open = (shown) => {
      list.hidden = !shown;
      input.setAttribute('aria-expanded', String(shown));
    };
    arrow.addEventListener('mousedown', (e) => {
      e.preventDefault();
      input.focus();
      open(list.hidden);
    });
    list.addEventListener('mousedown', (e) => e.preventDefault());
    list.addEventListener('click', (e) => {
      const item = e.target.closest('li');
      if (!item) return;
      open(false);
      pick(input, Number(item.dataset.index));
    });
    input.addEventListener('blur', () => open(false));
    input.addEventListener('keydown', (e) => {
      if (e.key === 'ArrowDown' && e.altKey) {
        open(list.hidden);
      } else if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
        const at = listEntries.indexOf(input.value);
        const next = at < 0 ? 0 : Math.min(Math.max(at + (e.key === 'ArrowDown' ? 1 : -1), 0), listEntries.length - 1);
        if (next !== at) pick(input, next);
      } else if (e.key === 'Escape' && !list.hidden) {
        open(false);
      } else {
        return;
      }
      e.preventDefault();
    });
    return input;
  }

  // The pick, as the press it is, in its turn.
  function pick(input, index) {
    act(() => {
      input.value = listEntries[index];
      input.setSelectionRange(0, 0);
      return run('Combo1');
    });
  }

  function listAppend(id, entry) {
    const list = document.getElementById(id + '-list');
    const item = document.createElement('li');
    item.setAttribute('role', 'option');
    item.dataset.index = String(listEntries.length);
    item.textContent = entry;
    list.appendChild(item);
    listEntries.push(entry);
  }

  function fieldText(id) { return document.getElementById(id).value; }

  function setFieldText(id, text) {
    const field = document.getElementById(id);
    field.value = text;
    field.setSelectionRange(0, 0);
    field.scrollLeft = 0;
  }

  // ---- the canvases ------------------------------------------------------

  function makePicture(c) {
    const canvas = place(document.createElement('canvas'), c);
    canvas.className = 'picture';
    const ratio = window.devicePixelRatio || 1;
    const inner = { width: c.width - 4, height: c.height - 4 };
    canvas.width = Math.round(inner.width * ratio);
    canvas.height = Math.round(inner.height * ratio);
    canvas.setAttribute('role', 'img');
    const lines = document.createElement('div');
    lines.id = c.name + '-lines';
    lines.className = 'reader-only';
    canvas.setAttribute('aria-describedby', lines.id);
    contexts.set(c.name, canvas.getContext('2d', { alpha: false }));
    canvas.addEventListener('contextmenu', (e) => {
      e.preventDefault();
      canvas.focus();
      openMenu(e.clientX, e.clientY);
    });
    canvas.addEventListener('mousedown', () => canvas.focus());
    canvas.addEventListener('keydown', (e) => pictureKey(e, canvas));
    readerLines.set(c.name, lines);
    return canvas;
  }

  // Fonts are parsed once per text measured or set, unless the font stays.
  // A font's ascent and descent are those its file states (in ems, from the
  // page's build), at the font's size, as the desktop has them: the browser
  // gives whole pixels, and lines of text would stand closer than there.
  function useFont(g, font) {
    if (g.font !== font) g.font = font;
  }
  const fontMetrics = new Map();
  function metricsOf(font) {
    if (!fontMetrics.has(font)) {
      const size = Number(font.match(/([\d.]+)px/)[1]);
      const [ascent, descent] = viramontFontMetrics[font.match(/"([^"]+)"/)[1]];
      fontMetrics.set(font, { ascent: ascent * size, descent: descent * size });
    }
    return fontMetrics.get(font);
  }
  function textWidth(text, font) {
    useFont(measure, font);
    return measure.measureText(text).width;
  }
  function fontAscent(font) { return metricsOf(font).ascent; }
  function fontHeight(font) {
    const m = metricsOf(font);
    return m.ascent + m.descent;
  }

  // The letters of a text, set with the left end of their baseline at the
  // device point (x, y): the box they lie in and the coverage of each pixel
  // of the box, row by row.
  const kMaskPad = 4;
  const scratch = document.createElement('canvas').getContext('2d', { willReadFrequently: true });
  function textMask(text, font, x, y) {
    const m = metricsOf(font);
    useFont(measure, font);
    const left = Math.floor(x) - kMaskPad, top = Math.floor(y - m.ascent) - kMaskPad;
    const width = Math.ceil(measure.measureText(text).width) + 2 * kMaskPad + 1;
    const height = Math.ceil(m.ascent + m.descent) + 2 * kMaskPad + 1;
    if (scratch.canvas.width < width) scratch.canvas.width = width;
    if (scratch.canvas.height < height) scratch.canvas.height = height;
    scratch.clearRect(0, 0, width, height);
    scratch.font = font;
    scratch.fillStyle = '#000000';
    scratch.textBaseline = 'alphabetic';
    scratch.fillText(text, x - left, y - top);
    const rgba = scratch.getImageData(0, 0, width, height).data;
    const cover = new Uint8Array(width * height);
    for (let i = 0; i < cover.length; ++i) cover[i] = rgba[4 * i + 3];
    return { left, top, width, height, cover };
  }

  // Shows the part (x, y, width, height) of a canvas's image, held in the
  // program's heap as RGBA rows of the canvas's width.
  function canvasShow(id, heap, at, x, y, width, height) {
    const g = contexts.get(id);
    const all = new ImageData(new Uint8ClampedArray(heap.buffer, at, g.canvas.width * g.canvas.height * 4),
      g.canvas.width, g.canvas.height);
    g.putImageData(all, 0, 0, x, y, width, height);
  }

  // What a canvas shows, as text a screen reader reads line by line: one
  // element a line.
  // Lines that only grew (a second legend under the first) are added, not
  // set anew.
  const shownLines = new Map();
  function canvasLines(id, text) {
    const holder = readerLines.get(id);
    if (!holder) return;  // a canvas of the page's own, for print or the step sheet
    const before = shownLines.get(id);
    const grown = before !== undefined && text.startsWith(before + '\n');
    const rows = (grown ? text.slice(before.length + 1) : text).split('\n').map((line) => {
      const row = document.createElement('div');
      row.textContent = line;
      return row;
    });
    if (grown) holder.append(...rows);
    else holder.replaceChildren(...rows);
    shownLines.set(id, text);
  }

  // Says a short text once, in the polite live region: emptied first, so
  // that the same text said again is heard again.
  const announcer = document.getElementById('announce');
  let announcing = 0;
  function announce(text) {
    const turn = ++announcing;
    announcer.textContent = '';
    setTimeout(() => { if (turn === announcing) announcer.textContent = text; }, 100);
  }

  // ---- the boxes ---------------------------------------------------------

  // A modal box: the title, the text, an input field when `withInput` or
  // a choice among `choices` (the first chosen), OK, and Отмена for the
  // input box and the choice. Enter is OK, Escape and the close button
  // cancel. Resolves once, with the field's text or the chosen index, ''
  // for a message, null when cancelled.
  //
  // The one <dialog> serves every box, and the program may open the next
  // box while the browser still delivers what closed the last one: its
  // `close` event comes later, as a task of its own, and the keys and
  // clicks that answered it may still have their default actions and
  // second clicks to come. So each box listens only while it is open (its
  // listeners go when it is answered), takes a `close` only while the
  // dialog is really closed, a click only when the press began on this box
  // (or came from the keyboard, detail 0), and no held-down key.
  let boxesOpened = 0;
  function openBox(text, title, withInput, choices = []) {
    return new Promise((resolve) => {
      box.querySelector('.title-text').textContent = title;
      box.querySelector('.text').textContent = text;
      const field = box.querySelector('input[type=text]');
      field.hidden = !withInput;
      field.value = '';
      const options = box.querySelector('.choices');
      options.replaceChildren(...choices.map((c, i) => {
        const label = document.createElement('label');
        const radio = document.createElement('input');
        radio.type = 'radio';
        radio.name = 'choice';
        radio.value = String(i);
        radio.checked = i === 0;
        label.append(radio, ' ' + c);
        return label;
      }));
      options.hidden = choices.length === 0;
      box.querySelector('.cancel').hidden = !withInput && choices.length === 0;
      const answer = () => {
        if (withInput) return field.value;
        if (choices.length) return Number(options.querySelector('input:checked').value);
        return '';
      };
      const listening = new AbortController();
      const on = (target, type, handler) => target.addEventListener(type, handler, { signal: listening.signal });
      const finish = (result) => {
        listening.abort();
        if (box.open) box.close();
        resolve(result);
      };
      let pressedHere = false;
      on(box, 'pointerdown', () => { pressedHere = true; });
      const clicked = (result) => (e) => {
        if (e.detail === 0 || pressedHere) finish(result());
      };
      on(box.querySelector('.ok'), 'click', clicked(answer));
      on(box.querySelector('.cancel'), 'click', clicked(() => null));
      on(box.querySelector('.close'), 'click', clicked(() => null));
      on(box, 'keydown', (e) => {
        const answering = e.key === 'Enter' || e.key === 'Escape' || (e.key === ' ' && e.target.matches('button'));
        if (!answering) return;
        if (e.repeat) {
          e.preventDefault();
        } else if (e.key === 'Escape') {
          e.preventDefault();
          finish(null);
        } else if (e.key === 'Enter') {
          // On a button too, which answers as its click would: the browser's
          // own activation of a button by Enter waits for the window's focus.
          e.preventDefault();
          finish(e.target.matches('.cancel, .close') ? null : answer());
        }
      });
      // The browser's own close request (Escape where the page cannot
      // hold it) and a close that no answer made.
      on(box, 'cancel', (e) => {
        e.preventDefault();
        finish(null);
      });
      on(box, 'close', () => { if (!box.open) finish(null); });
      box.dataset.opened = String(++boxesOpened);
      box.showModal();
      (withInput ? field : choices.length ? options.querySelector('input:checked') : box.querySelector('.ok')).focus();
    });
  }

  async function message(text, title) {
    document.documentElement.classList.remove('waiting');
    await openBox(text, title, false);
  }

  async function input(prompt, title) {
    document.documentElement.classList.remove('waiting');
    const answer = await openBox(prompt, title, true);
    return answer === null ? '' : answer;
  }

  // ---- events --------------------------------------------------------------

  // What the user asks of the program (a press, a pick, a menu item, a
  // key) runs one at a time, as in the window: one asked for while another
  // runs is carried out after it, in the order asked. A handler runs in one
  // go; one that waits for a box waits behind the box, which is modal. The
  // form is aria-busy while anything runs, and the body counts the actions
  // that have ended (data-actions).
  const waiting = [];
  let acting = false;
  let actionsEnded = 0;
  let drained = Promise.resolve();  // all that was asked has ended
  function act(action) {
    return new Promise((resolve) => {
      waiting.push({ action, resolve });
      if (!acting) drained = drain();
    });
  }
  async function drain() {
    acting = true;
    form.setAttribute('aria-busy', 'true');
    while (waiting.length) {
      const { action, resolve } = waiting.shift();
      try {
        await action();
      } finally {
        document.body.dataset.actions = String(++actionsEnded);
        resolve();
      }
    }
    acting = false;
    form.removeAttribute('aria-busy');
  }

  // A press of a control runs its handler. A plot long enough to be felt
  // shows the busy cursor first, for the frame the browser needs to show
  // it (a shorter one is over before a cursor could change). Input made
  // meanwhile reaches the controls, and waits as above.
  const nextFrame = () => new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0)));
  const press = (name) => act(() => run(name));
  async function run(name) {
    if (!program) return;
    const root = document.documentElement;
    try {
      if ((name === 'Command1' && program._viramont_plot_is_long()) || name === 'Steps') {
        root.classList.add('waiting');
        await nextFrame();
      }
      await program.ccall('viramont_press', null, ['string'], [name], { async: true });
    } finally {
      root.classList.remove('waiting');
    }
  }

  function endProgram() {
    form.hidden = true;
    window.close();
  }

  // ---- the picture: copy, save, print ---------------------------------------

  const kFormulaMargin = 6;

  // A canvas of the page's own that a drawing anew goes into.
  function paperCanvas(id, width, height) {
    const canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    contexts.set(id, canvas.getContext('2d', { alpha: false }));
  }

  // The formula line over the graph and the legend in their arrangement on
  // the form: at the canvases' device pixels, or drawn anew at `ratio` times
  // their logical pixels.
  function composePicture(ratio) {
    const screenRatio = window.devicePixelRatio || 1;
    let graph = document.getElementById('Picture1');
    let legend = document.getElementById('Picture2');
    const boxOf = (c) => ({ x: c.offsetLeft + 2, y: c.offsetTop + 2, w: c.width / screenRatio, h: c.height / screenRatio });
    const g = boxOf(graph), l = boxOf(legend);
    if (ratio && ratio !== screenRatio) {
      program.ccall('viramont_redraw', null, ['number'], [ratio]);
      graph = contexts.get('Paper1').canvas;
      legend = contexts.get('Paper2').canvas;
    } else {
      ratio = screenRatio;
    }
    const left = Math.min(g.x, l.x), top = Math.min(g.y, l.y);
    const width0 = Math.max(g.x + g.w, l.x + l.w) - left, height0 = Math.max(g.y + g.h, l.y + l.h) - top;
    const formula = program.ccall('viramont_formula_line', 'string', [], []);
    const text5 = document.getElementById('Text5');
    const font = getComputedStyle(text5).font;
    measure.font = font;
    const metrics = measure.measureText(formula || 'Hy');
    const lineHeight = metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent;
    const band = formula ? Math.ceil(lineHeight) + 2 * kFormulaMargin : 0;
    const width = Math.max(width0, formula ? Math.ceil(metrics.width) + 2 * kFormulaMargin : 0);
    const picture = document.createElement('canvas');
    picture.width = Math.round(width * ratio);
    picture.height = Math.round((band + height0) * ratio);
    const pg = picture.getContext('2d', { alpha: false });
    pg.fillStyle = '#ffffff';
    pg.fillRect(0, 0, picture.width, picture.height);
    pg.scale(ratio, ratio);
    if (formula) {
      pg.font = font;
      pg.fillStyle = getComputedStyle(text5).color;
      pg.textBaseline = 'middle';
      pg.fillText(formula, kFormulaMargin, kFormulaMargin + lineHeight / 2);
    }
    pg.setTransform(1, 0, 0, 1, 0, 0);
    pg.drawImage(graph, Math.round((g.x - left) * ratio), Math.round((band + g.y - top) * ratio));
    pg.drawImage(legend, Math.round((l.x - left) * ratio), Math.round((band + l.y - top) * ratio));
    return picture;
  }

  // ---- the step sheet ------------------------------------------------------

  // The panel of "Построение по шагам…": for y = f(x) and each step its
  // heading, formula and sentence, the graph the program draws into its
  // canvas and a note under it; the colours' key and the moves left out.
  const steps = document.getElementById('steps');
  const stepsItem = menu.querySelector('[data-action=steps]');
  const sheetStyle = { headingFont: '', textFont: '', titleFont: '', columns: 3 };
  let menuOwner = null;  // the canvas whose menu is open, or was last

  function setStepsEnabled(enabled) { stepsItem.setAttribute('aria-disabled', String(!enabled)); }
  const stepsEnabled = () => stepsItem.getAttribute('aria-disabled') !== 'true';

  function openSteps(sheet) {
    sheetStyle.headingFont = sheet.headingFont;
    sheetStyle.textFont = sheet.textFont;
    sheetStyle.titleFont = sheet.headingFont.replace(/([\d.]+)px/, (m, size) => Math.round(size * 4 / 3) + 'px');
    sheetStyle.columns = sheet.columns;
    const heading = steps.querySelector('h2');
    heading.textContent = sheet.title;
    heading.style.font = sheetStyle.titleFont;
    const cells = steps.querySelector('.cells');
    cells.replaceChildren();
    for (const [selector, text] of [['.key', sheet.key], ['.left-out', sheet.leftOut]]) {
      const p = steps.querySelector(selector);
      p.textContent = text;
      p.style.font = sheet.textFont;
      p.hidden = !text;
    }
    if (!steps.open) steps.showModal();
    steps.scrollTop = 0;
  }

  function addStep(id, heading, formula, sentence, width, height) {
    const cells = steps.querySelector('.cells');
    const cell = document.createElement('section');
    cell.className = 'cell';
    cell.style.width = width + 4 + 'px';
    const text = (tag, content, font, className) => {
      const e = document.createElement(tag);
      e.textContent = content;
      e.style.font = font;
      if (className) e.className = className;
      return e;
    };
    const ratio = window.devicePixelRatio || 1;
    const canvas = document.createElement('canvas');
    canvas.id = id;
    canvas.width = Math.round(width * ratio);
    canvas.height = Math.round(height * ratio);
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    canvas.setAttribute('role', 'img');
    canvas.setAttribute('aria-label', `${heading}. ${formula}. ${sentence}`);
    canvas.addEventListener('contextmenu', (e) => {
      e.preventDefault();
      menuOwner = canvas;
      openMenu(e.clientX, e.clientY);
    });
    contexts.set(id, canvas.getContext('2d', { alpha: false }));
    const note = text('p', '', sheetStyle.textFont, 'note');
    note.hidden = true;
    cell.append(text('h3', heading, sheetStyle.headingFont), text('p', formula, sheetStyle.headingFont, 'formula'),
      text('p', sentence, sheetStyle.textFont, 'sentence'), canvas, note);
    cells.style.setProperty('--columns', String(Math.max(1, Math.min(sheetStyle.columns, cells.children.length + 1,
      Math.floor((window.innerWidth - 40) / (width + 24))))));
    cells.appendChild(cell);
  }

  function setStepNote(id, note) {
    const holder = document.getElementById(id).nextElementSibling;
    holder.textContent = note;
    holder.hidden = !note;
  }

  // The lines of a text that fit `width` in `font`, broken between words.
  function wrapText(text, font, width) {
    const lines = [];
    let line = '';
    for (const word of text.split(' ')) {
      const tried = line ? `${line} ${word}` : word;
      if (line && textWidth(tried, font) > width) {
        lines.push(line);
        line = word;
      } else {
        line = tried;
      }
    }
    if (line) lines.push(line);
    return lines;
  }

  // The sheet as one picture: the title, the cells in rows as the sheet
  // has them (kStepColumns wide), the key and the moves left out, on white.
  function composeSheet() {
    const ratio = window.devicePixelRatio || 1;
    const kMargin = 16, kGapX = 20, kGapY = 16, kLineGap = 3;
    const lineHeight = (font) => Math.ceil(fontHeight(font)) + kLineGap;
    const cells = [...steps.querySelectorAll('.cell')].map((cell) => {
      const canvas = cell.querySelector('canvas');
      const width = canvas.width / ratio + 4;
      const lines = [];
      for (const e of cell.querySelectorAll('h3, p')) {
        if (e.hidden || e === cell.querySelector('.note')) continue;
        for (const l of wrapText(e.textContent, e.style.font, width)) lines.push({ text: l, font: e.style.font, ink: '#000000' });
      }
      const note = cell.querySelector('.note');
      const noteLines = note.hidden ? [] :
        wrapText(note.textContent, note.style.font, width).map((l) => ({ text: l, font: note.style.font, ink: '#a00000' }));
      const height = [...lines, ...noteLines].reduce((sum, l) => sum + lineHeight(l.font), 0) + canvas.height / ratio + 4;
      return { canvas, width, lines, noteLines, height };
    });
    const columns = Math.max(1, Math.min(sheetStyle.columns, cells.length));
    const cellWidth = cells.length ? cells[0].width : 0;
    const rows = [];
    for (let i = 0; i < cells.length; i += columns) rows.push(Math.max(...cells.slice(i, i + columns).map((c) => c.height)));
    const title = steps.querySelector('h2').textContent;
    const after = [...steps.querySelectorAll('.key, .left-out')].filter((p) => !p.hidden)
      .flatMap((p) => p.textContent.split('\n').map((l) => ({ text: l, font: p.style.font, ink: '#000000' })));
    const width = Math.max(2 * kMargin + columns * cellWidth + (columns - 1) * kGapX,
      2 * kMargin + Math.ceil(textWidth(title, sheetStyle.titleFont)));
    const height = kMargin + lineHeight(sheetStyle.titleFont) + kGapY + rows.reduce((a, b) => a + b, 0) +
      (rows.length - 1) * kGapY + kGapY + after.reduce((sum, l) => sum + lineHeight(l.font), 0) + kMargin;

    const picture = document.createElement('canvas');
    picture.width = Math.round(width * ratio);
    picture.height = Math.round(height * ratio);
    const g = picture.getContext('2d', { alpha: false });
    g.fillStyle = '#ffffff';
    g.fillRect(0, 0, picture.width, picture.height);
    g.textBaseline = 'alphabetic';
    const write = (line, x, y) => {
      g.setTransform(ratio, 0, 0, ratio, 0, 0);
      g.font = line.font;
      g.fillStyle = line.ink;
      g.fillText(line.text, x, y + fontAscent(line.font));
      return y + lineHeight(line.font);
    };
    let y = write({ text: title, font: sheetStyle.titleFont, ink: '#000000' }, kMargin, kMargin) + kGapY;
    cells.forEach((cell, i) => {
      const x = kMargin + (i % columns) * (cellWidth + kGapX);
      let at = y;
      for (const line of cell.lines) at = write(line, x, at);
      g.setTransform(1, 0, 0, 1, 0, 0);
      g.fillStyle = '#aaaaaa';
      g.fillRect(Math.round(x * ratio), Math.round(at * ratio), Math.round(cell.width * ratio), cell.canvas.height + Math.round(4 * ratio));
      g.drawImage(cell.canvas, Math.round((x + 2) * ratio), Math.round((at + 2) * ratio));
      at += cell.canvas.height / ratio + 4;
      for (const line of cell.noteLines) at = write(line, x, at);
      if (i % columns === columns - 1 || i === cells.length - 1) y += rows[Math.floor(i / columns)] + kGapY;
    });
    for (const line of after) y = write(line, kMargin, y);
    return picture;
  }

  // ---- copy, save and print of the picture and of the sheet --------------------

  const outputs = {
    picture: { compose: composePicture, file: 'график.png', name: 'график', larger: true },
    sheet: { compose: () => composeSheet(), file: 'построение по шагам.png', name: 'построение по шагам' },
  };
  // The picture as PNG data; null where the browser could not make it (a
  // canvas larger than it allows, or no memory for it).
  function pictureBlob(which, ratio) {
    let canvas;
    try {
      canvas = outputs[which].compose(ratio);
    } catch (e) {
      return Promise.resolve(null);
    }
    return new Promise((resolve) => canvas.toBlob(resolve, 'image/png'));
  }
  const failed = (what) => message(`Рисунок не удалось ${what}: браузер не смог создать его изображение.`, document.title);

  async function copyPicture(which) {
    const blob = pictureBlob(which);
    try {
      await navigator.clipboard.write([new ClipboardItem({ 'image/png': blob })]);
    } catch (e) {
      if (!(await blob)) await failed('скопировать');
      else await message('Рисунок не удалось скопировать: браузер не дал доступа к буферу обмена.', document.title);
    }
  }

  // The sizes the window's picture can be saved in: as on the screen, and
  // drawn anew twice and four times as large.
  const kSaveSizes = [['PNG', 0], ['PNG, вдвое крупнее', 2], ['PNG, вчетверо крупнее', 4]];

  async function savePicture(which) {
    let ratio = 0;
    if (outputs[which].larger) {
      const size = await openBox('', 'Сохранить рисунок', false, kSaveSizes.map((s) => s[0]));
      if (size === null) return;
      ratio = kSaveSizes[size][1];
    }
    const blob = await pictureBlob(which, ratio);
    if (!blob) {
      await failed('сохранить');
      return;
    }
    const url = URL.createObjectURL(blob);
    const link = document.createElement('a');
    link.href = url;
    link.download = outputs[which].file;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  }

  // Print draws the window's picture anew at four times its logical
  // pixels, about 400 dots to the inch across a landscape page.
  const kPrintRatio = 4;
  async function printPicture(which) {
    const blob = await pictureBlob(which, outputs[which].larger ? kPrintRatio : 0);
    if (!blob) {
      await failed('напечатать');
      return;
    }
    const sheet = document.getElementById('print-sheet');
    const image = new Image();
    image.alt = outputs[which].name;
    const url = URL.createObjectURL(blob);
    image.src = url;
    sheet.replaceChildren(image);
    await image.decode().catch(() => {});
    window.print();
    URL.revokeObjectURL(url);
  }

  // Each output in its turn, for the picture it was asked for.
  const outputActions = Object.fromEntries(Object.entries({ copy: copyPicture, save: savePicture, print: printPicture })
    .map(([name, output]) => [name, (which) => act(() => output(which))]));
  // The sheet's picture when the menu was opened over it, else the window's.
  const menuTarget = () => (steps.contains(menu) ? 'sheet' : 'picture');
  const menuActions = {
    ...Object.fromEntries(Object.entries(outputActions).map(([name, output]) => [name, () => output(menuTarget())])),
    steps: () => { if (stepsEnabled()) press('Steps'); },
  };

  // The menu opens over the sheet inside its panel, where it offers the
  // sheet's output alone.
  function openMenu(x, y) {
    const host = menuOwner && steps.contains(menuOwner) ? steps : document.body;
    if (menu.parentElement !== host) host.appendChild(menu);
    for (const e of menu.querySelectorAll('[data-action=steps], [role=separator]')) e.hidden = host === steps;
    menu.hidden = false;
    const r = menu.getBoundingClientRect();
    menu.style.left = Math.min(x, window.innerWidth - r.width) + 'px';
    menu.style.top = Math.min(y, window.innerHeight - r.height) + 'px';
    menu.querySelector('[role=menuitem]').focus();
  }
  function closeMenu(returnTo) {
    menu.hidden = true;
    if (returnTo) returnTo.focus();
  }
  const menuItems = () => [...menu.querySelectorAll('[role=menuitem]')]
    .filter((e) => !e.hidden && e.getAttribute('aria-disabled') !== 'true');
  menu.addEventListener('click', (e) => {
    const item = e.target.closest('[role=menuitem]');
    if (!item || item.getAttribute('aria-disabled') === 'true') return;
    closeMenu(menuOwner);
    menuActions[item.dataset.action]();
  });
  menu.addEventListener('keydown', (e) => {
    const items = menuItems();
    const at = items.indexOf(document.activeElement);
    if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
      items[(at + (e.key === 'ArrowDown' ? 1 : items.length - 1)) % items.length].focus();
    } else if (e.key === 'Enter' || e.key === ' ') {
      document.activeElement.click();
    } else if (e.key === 'Escape' || e.key === 'Tab') {
      closeMenu(menuOwner);
    } else {
      return;
    }
    e.preventDefault();
    e.stopPropagation();  // Escape closes the menu, not the panel under it
  });
  document.addEventListener('mousedown', (e) => {
    if (!menu.hidden && !menu.contains(e.target)) closeMenu(null);
  });

  // The keys by where they are on the keyboard, so that they work in any
  // keyboard layout (Ctrl+С on a Russian one is Ctrl+C).
  const keyed = (e) => (e.ctrlKey && !e.altKey && !e.shiftKey ? { KeyC: 'copy', KeyS: 'save', KeyP: 'print', KeyG: 'steps' }[e.code] : undefined);

  function pictureKey(e, canvas) {
    menuOwner = canvas;
    const action = keyed(e);
    if (action) {
      e.preventDefault();
      menuActions[action]();
    } else if (e.key === 'ContextMenu' || (e.key === 'F10' && e.shiftKey)) {
      e.preventDefault();
      const r = canvas.getBoundingClientRect();
      openMenu(r.left + r.width / 2, r.top + r.height / 2);
    }
  }
  form.addEventListener('contextmenu', (e) => { menuOwner = e.target; }, true);

  steps.addEventListener('keydown', (e) => {
    const action = keyed(e);
    // Ctrl+C over a selected text copies the text.
    if (!action || action === 'steps' || (action === 'copy' && !window.getSelection().isCollapsed)) return;
    e.preventDefault();
    outputActions[action]('sheet');
  });
  steps.querySelector('.answers').addEventListener('click', (e) => {
    const action = e.target.closest('button')?.dataset.action;
    if (action === 'close') steps.close();
    else if (action) outputActions[action]('sheet');
  });
  steps.querySelector('.close').addEventListener('click', () => steps.close());
  steps.addEventListener('close', () => { if (menu.parentElement === steps) closeMenu(null); });

  // ---- start -----------------------------------------------------------------

  // The decimal separator of the browser's language.
  function decimalSeparator() {
    const part = new Intl.NumberFormat(navigator.language).formatToParts(0.5).find((p) => p.type === 'decimal');
    return part ? part.value : '.';
  }

  // A viewport smaller than the form shows it scaled down evenly, after
  // every resize and turn of the screen. The form stands out of the page's
  // flow, so the page is as large as the form as it is shown, never as it
  // was laid out.
  function fitForm() {
    const fit = Math.min(1, window.innerWidth / formWidth, window.innerHeight / formHeight);
    form.style.transform = fit < 1 ? `scale(${fit})` : '';
  }

  async function start(createProgram) {
    await Promise.all(['bold 18px "Liberation Sans"', '19px "Liberation Sans"', 'bold 19px "Liberation Sans"',
      'bold italic 24px "Liberation Sans"', '18px "DejaVu Sans"', 'bold 18px "DejaVu Sans"']
      .map((f) => document.fonts.load(f)));
    program = await createProgram();
    await act(() => program.ccall('viramont_start', null, ['number', 'number', 'number', 'string'],
      [window.innerWidth, window.innerHeight, window.devicePixelRatio || 1, decimalSeparator()], { async: true }));
    fitForm();
    window.addEventListener('resize', fitForm);
    document.body.classList.add('ready');
    const first = [...form.querySelectorAll('[tabindex]')].sort((a, b) => a.tabIndex - b.tabIndex)[0];
    if (first) first.focus();
  }

  return {
    addControl, setFormSize, listAppend, fieldText, setFieldText,
    textWidth, fontAscent, fontHeight, textMask, canvasShow, canvasLines, announce,
    message, input, endProgram, start, composePicture, paperCanvas,
    setStepsEnabled, openSteps, addStep, setStepNote, composeSheet,
    // For the tests and the benchmark: a press that resolves when its
    // handler has ended, the end of all that was asked, and the benchmark
    // page's compute floor.
    pressAndWait: press,
    idle: () => drained,
    floor: () => program.ccall('viramont_floor', 'number', [], []),
  };
})();
