// The web toolkit's side in the browser: the elements, canvases, boxes,
// menus, keys, the panel and the outputs that toolkit/web/*.cpp drive. The
// program's C++ calls it as `viramontToolkit` (EM_JS in toolkit/web/);
// every text, colour and size it shows comes from those calls. It keeps the
// browser's rules only: how an element is made, when an event counts, how
// a picture reaches the clipboard, a file or the printer.
//
// Input runs one action at a time, in the order given (act): a press of a
// button, a pick, a menu item or a key given while another action runs is
// carried out after it. The form is aria-busy while anything runs, the body
// counts the actions that have ended (data-actions) and the box the boxes
// opened (data-opened): the page's own signals, which its tests wait for.
//
// On a touch screen (html.touch) a canvas's menu opens by a long press and
// by the button at its corner, and the menus and boxes are large enough to
// tap; a form in one column (html.column) scrolls down.
'use strict';

window.viramontToolkit = (() => {
  const fontMetricsInEms = /*@METRICS@*/;
  const form = document.getElementById('form');
  const box = document.getElementById('box');
  const menuElement = document.getElementById('menu');
  const panel = document.querySelector('dialog.panel');
  const measure = document.createElement('canvas').getContext('2d');
  const contexts = new Map();     // canvas id -> 2D context
  const readerLines = new Map();  // canvas id -> the element of its lines for screen readers
  const listEntries = [];         // Combo1's entries
  const menuButtons = new Map();  // canvas id -> the button at its corner that opens its menu
  let handler = async () => {};   // the program's handler of an action, by name

  const px = (v) => `${v}px`;
  function placeBox(el, c) {
    el.style.left = px(c.left);
    el.style.top = px(c.top);
    el.style.width = px(c.width);
    el.style.height = px(c.height);
  }

  // ---- actions ---------------------------------------------------------------

  const waiting = [];
  let acting = false;
  let actionsEnded = 0;
  let drained = Promise.resolve();
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
  const emit = (name) => act(() => handler(name));

  // The wait cursor, over everything, for the frame the browser needs to
  // show it before a long action; input still reaches the page and waits.
  // A window in the background (a download took the focus) has its frames
  // held back, for a second or more: there is nothing to show there, and
  // the action waits a tenth of a second at most.
  async function busyFrame() {
    document.documentElement.classList.add('waiting');
    await new Promise((r) => {
      const timer = setTimeout(r, 100);
      requestAnimationFrame(() => setTimeout(() => {
        clearTimeout(timer);
        r();
      }, 0));
    });
  }
  const notBusy = () => document.documentElement.classList.remove('waiting');

  // ---- the form ----------------------------------------------------------------

  function setForm(f) {
    form.style.left = px(f.left || 0);
    form.style.width = px(f.width);
    form.style.height = px(f.height);
    form.style.background = document.body.style.background = f.back;
    form.dataset.menu = f.menu;
    document.title = f.title;
    document.documentElement.classList.toggle('column', Boolean(f.column));
    if (!f.column) window.scrollTo(0, 0);
  }

  function setText(el, c) {
    el.style.font = c.font;
    el.style.textAlign = c.centred ? 'center' : 'left';
    el.style.justifyContent = c.centred ? 'center' : 'flex-start';  // a caption of the column
  }

  function styled(el, c) {
    el.id = c.name;
    placeBox(el, c);
    setText(el, c);
    el.style.color = c.fore;
    el.style.background = c.back;
    if (c.accessibleName) el.setAttribute('aria-label', c.accessibleName);
    if (c.output) el.setAttribute('aria-readonly', 'true');
    return el;
  }

  // A control put elsewhere, in other letters; a canvas of other device
  // pixels starts blank, for the program to draw anew.
  function placeControl(c) {
    const el = document.getElementById(c.name);
    const holder = el.closest('.holder');
    placeBox(holder || el, c);
    setText(el, c);
    if (holder) sizeList(holder, c);
    if (c.deviceWidth && (el.width !== c.deviceWidth || el.height !== c.deviceHeight)) {
      el.width = c.deviceWidth;
      el.height = c.deviceHeight;
    }
    if (menuButtons.has(c.name)) placeMenuButton(menuButtons.get(c.name), c);
  }

  // A field for numbers and words, no browser's help in it.
  function plainInput(text, limit, numeric) {
    const el = document.createElement('input');
    el.type = 'text';
    el.value = text;
    el.maxLength = limit;
    el.spellcheck = false;
    el.autocomplete = 'off';
    el.setAttribute('autocapitalize', 'off');
    el.setAttribute('autocorrect', 'off');
    if (numeric) el.inputMode = 'decimal';
    return el;
  }
  function textInput(c) {
    const el = styled(plainInput(c.text, c.limit, c.numeric), c);
    el.className = 'field';
    return el;
  }

  function addControl(c) {
    let el;
    if (c.kind === 'label') {
      el = styled(document.createElement('div'), c);
      el.className = 'label';
      el.textContent = c.text;
    } else if (c.kind === 'field') {
      el = textInput(c);
    } else if (c.kind === 'button') {
      el = styled(document.createElement('button'), c);
      el.className = 'button';
      el.textContent = c.text;
      el.addEventListener('click', () => emit(c.name));
    } else if (c.kind === 'list') {
      el = makeList(c);
    } else {
      el = makePicture(c);
    }
    if (c.kind !== 'label') el.tabIndex = c.tabIndex + 1;
    form.appendChild(el.closest('.holder') || el);
    if (readerLines.has(c.name)) el.after(readerLines.get(c.name));
    if (menuButtons.has(c.name)) form.appendChild(menuButtons.get(c.name));
  }

  // The editable list: a text with a list of entries under it. Typing picks
  // nothing; an entry chosen with the mouse, or with the arrow keys in the
  // text, is a pick, taken in its turn.
  function makeList(c) {
    const holder = document.createElement('div');
    holder.className = 'holder combo';
    placeBox(holder, c);
    const input = textInput({ ...c, left: 0, top: 0 });
    input.style.width = input.style.height = '100%';
    input.setAttribute('role', 'combobox');
    input.setAttribute('aria-expanded', 'false');
    input.setAttribute('aria-controls', `${c.name}-list`);
    const arrow = document.createElement('div');
    arrow.className = 'arrow';
    arrow.setAttribute('aria-hidden', 'true');
    const list = document.createElement('ul');
    list.id = `${c.name}-list`;
    list.className = 'entries';
    list.setAttribute('role', 'listbox');
    list.hidden = true;
    holder.append(input, arrow, list);
    sizeList(holder, c);

    const open = (shown) => {
      list.hidden = !shown;
      input.setAttribute('aria-expanded', String(shown));
    };
    const pick = (index) => act(() => {
      input.value = listEntries[index];
      input.setSelectionRange(0, 0);
      return handler(c.name);
    });
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
      pick(Number(item.dataset.index));
    });
    input.addEventListener('blur', () => open(false));
    input.addEventListener('keydown', (e) => {
      if (e.key === 'ArrowDown' && e.altKey) {
        open(list.hidden);
      } else if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
        const at = listEntries.indexOf(input.value);
        const next = at < 0 ? 0 : Math.min(Math.max(at + (e.key === 'ArrowDown' ? 1 : -1), 0), listEntries.length - 1);
        if (next !== at) pick(next);
      } else if (e.key === 'Escape' && !list.hidden) {
        open(false);
      } else {
        return;
      }
      e.preventDefault();
    });
    return input;
  }

  // The list's button half as wide as the list is high, its entries in its letters.
  function sizeList(holder, c) {
    const arrowWidth = Math.max(8, Math.round(c.height * 0.5));
    holder.querySelector('.arrow').style.width = px(arrowWidth);
    holder.querySelector('input').style.paddingRight = px(arrowWidth + 4);
    holder.querySelector('.entries').style.font = c.font;
  }

  function listAppend(id, entry) {
    const item = document.createElement('li');
    item.setAttribute('role', 'option');
    item.dataset.index = String(listEntries.length);
    item.textContent = entry;
    document.getElementById(`${id}-list`).appendChild(item);
    listEntries.push(entry);
  }

  const fieldText = (id) => document.getElementById(id).value;
  function setFieldText(id, text) {
    const field = document.getElementById(id);
    field.value = text;
    field.setSelectionRange(0, 0);
    field.scrollLeft = 0;
  }

  // ---- canvases ----------------------------------------------------------------

  // A canvas element of the given device pixels, shown at its logical size.
  function canvasElement(c) {
    const canvas = document.createElement('canvas');
    canvas.id = c.name;
    canvas.width = c.deviceWidth;
    canvas.height = c.deviceHeight;
    contexts.set(c.name, canvas.getContext('2d', { alpha: false }));
    return canvas;
  }

  // A canvas of the form: an image for screen readers, named, its lines as
  // text beside it; a click gives it the focus, its menu opens on it.
  function makePicture(c) {
    const canvas = styled(canvasElement(c), c);
    canvas.className = 'picture';
    canvas.style.borderWidth = px(c.border);
    canvas.setAttribute('role', 'img');
    const lines = document.createElement('div');
    lines.id = `${c.name}-lines`;
    lines.className = 'reader-only';
    canvas.setAttribute('aria-describedby', lines.id);
    readerLines.set(c.name, lines);
    canvas.addEventListener('mousedown', () => canvas.focus());
    menuOwner(canvas, c.menu);
    if (c.menuButton) {
      const button = document.createElement('button');
      button.type = 'button';
      button.id = `${c.name}-menu`;
      button.className = 'menu-button';
      button.tabIndex = -1;  // the keyboard has the Menu key and Shift+F10 on the canvas
      button.setAttribute('aria-label', c.menuButton);
      button.setAttribute('aria-haspopup', 'menu');
      button.addEventListener('click', () => {
        const r = button.getBoundingClientRect();
        canvas.focus();
        openMenu(canvas, r.left, r.bottom);
      });
      placeMenuButton(button, c);
      menuButtons.set(c.name, button);
    }
    return canvas;
  }

  // At the canvas's top right corner, inside its border.
  function placeMenuButton(button, c) {
    const border = c.border ?? Number.parseFloat(document.getElementById(c.name).style.borderWidth);
    button.style.left = `calc(${px(c.left + c.width - border)} - var(--menu-button))`;
    button.style.top = px(c.top + border);
  }

  // A canvas of the toolkit's own, in no element of the page: a drawing
  // anew, a composed picture.
  //
  // The element of an earlier drawing under the same id is taken again: a
  // page of cards is some twenty megabytes, and a browser frees a canvas
  // dropped only when it collects its garbage.
  function offscreenCanvas(id, deviceWidth, deviceHeight) {
    const earlier = contexts.get(id)?.canvas;
    if (earlier && !earlier.isConnected) {
      earlier.width = deviceWidth;
      earlier.height = deviceHeight;
      return;
    }
    canvasElement({ name: id, deviceWidth, deviceHeight });
  }
  const canvasOf = (id) => contexts.get(id).canvas;

  // A font's ascent and descent as its file states them (in ems, from the
  // page's build), at the font's size, as the desktop has them: the browser
  // would round them to whole pixels.
  const fontMetrics = new Map();
  function metricsOf(font) {
    if (!fontMetrics.has(font)) {
      const size = Number(font.match(/([\d.]+)px/)[1]);
      const [ascent, descent] = fontMetricsInEms[font.match(/"([^"]+)"/)[1]];
      fontMetrics.set(font, { ascent: ascent * size, descent: descent * size });
    }
    return fontMetrics.get(font);
  }
  function textWidth(text, font) {
    if (measure.font !== font) measure.font = font;
    return measure.measureText(text).width;
  }
  const fontAscent = (font) => metricsOf(font).ascent;
  const fontHeight = (font) => metricsOf(font).ascent + metricsOf(font).descent;

  // The letters of a text set with the left end of its baseline at the
  // device point (x, y): the box they lie in and each pixel's coverage.
  const kMaskPad = 4;
  const scratch = document.createElement('canvas').getContext('2d', { willReadFrequently: true });
  function textMask(text, font, x, y) {
    const m = metricsOf(font);
    const left = Math.floor(x) - kMaskPad, top = Math.floor(y - m.ascent) - kMaskPad;
    const width = Math.ceil(textWidth(text, font)) + 2 * kMaskPad + 1;
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

  // What a canvas shows, as lines a screen reader reads, one element a
  // line; lines that only grew (a second legend under the first) are added.
  const shownLines = new Map();
  function canvasLines(id, text) {
    const holder = readerLines.get(id);
    if (!holder) return;
    const before = shownLines.get(id);
    const grown = before !== undefined && text.startsWith(`${before}\n`);
    const rows = (grown ? text.slice(before.length + 1) : text).split('\n').map((line) => {
      const row = document.createElement('div');
      row.textContent = line;
      return row;
    });
    if (grown) holder.append(...rows);
    else holder.replaceChildren(...rows);
    shownLines.set(id, text);
  }

  // Says a short text once in the polite live region: emptied first, so
  // that the same text said again is heard again.
  const announcer = document.getElementById('announce');
  let announcing = 0;
  function announce(text) {
    const turn = ++announcing;
    announcer.textContent = '';
    setTimeout(() => { if (turn === announcing) announcer.textContent = text; }, 100);
  }

  // ---- composed pictures ---------------------------------------------------------

  function compose(id, deviceWidth, deviceHeight, paper) {
    offscreenCanvas(id, deviceWidth, deviceHeight);
    const g = contexts.get(id);
    g.fillStyle = paper;
    g.fillRect(0, 0, deviceWidth, deviceHeight);
  }
  function composeText(id, text, font, ink, x, baseline) {
    const g = contexts.get(id);
    g.font = font;
    g.fillStyle = ink;
    g.textBaseline = 'alphabetic';
    g.fillText(text, x, baseline);
  }
  function composeRect(id, x, y, width, height, ink) {
    const g = contexts.get(id);
    g.fillStyle = ink;
    g.fillRect(x, y, width, height);
  }
  const composeImage = (id, source, x, y) => contexts.get(id).drawImage(canvasOf(source), x, y);

  // ---- output --------------------------------------------------------------------

  // A canvas as PNG data; null where the browser could not make it (a
  // canvas larger than it allows, or no memory for it).
  const pngOf = (id) => new Promise((resolve) => canvasOf(id).toBlob(resolve, 'image/png'));

  async function copyImage(id) {
    const png = pngOf(id);
    try {
      await navigator.clipboard.write([new ClipboardItem({ 'image/png': png })]);
      return 'done';
    } catch (e) {
      return (await png) ? 'refused' : 'unmade';
    }
  }

  async function download(id, fileName) {
    const png = await pngOf(id);
    if (!png) return false;
    downloadBlob(png, fileName);
    return true;
  }

  // Prints the picture alone, on a landscape page (the print style).
  async function printImage(id, name) {
    const png = await pngOf(id);
    if (!png) return false;
    const image = new Image();
    image.alt = name;
    const url = URL.createObjectURL(png);
    image.src = url;
    document.getElementById('print-sheet').replaceChildren(image);
    await image.decode().catch(() => {});
    window.print();
    URL.revokeObjectURL(url);
    return true;
  }

  // ---- boxes -----------------------------------------------------------------------

  // A modal box: the title, the text, an input field when `withInput` or a
  // choice among `choices` (the first chosen), OK, and the cancel button
  // for the input box and the choice. Enter is OK, Escape and the close
  // button cancel. Resolves once, with the field's text or the chosen
  // index, '' for a message, null when cancelled.
  //
  // The one <dialog> serves every box, and the program may open the next
  // box while the browser still delivers what closed the last one: its
  // `close` event comes later, as a task of its own, and the keys and
  // clicks that answered it may still have their default actions to come.
  // So each box listens only while it is open (its listeners go when it is
  // answered), takes a `close` only while the dialog is really closed, a
  // click only when the press began on this box (or came from the
  // keyboard, detail 0), and no held-down key.
  let boxesOpened = 0;
  function openBox(b) {
    notBusy();
    return new Promise((resolve) => {
      const withInput = b.input, choices = b.choices || [];
      box.querySelector('.title-text').textContent = b.title;
      box.querySelector('.text').textContent = b.text || '';
      box.querySelector('.ok').textContent = b.ok;
      box.querySelector('.cancel').textContent = b.cancel;
      box.querySelector('.close').setAttribute('aria-label', b.close);
      const field = box.querySelector('input[type=text]');
      field.hidden = !withInput;
      field.value = '';
      field.maxLength = b.limit || 524288;
      const options = box.querySelector('.choices');
      options.replaceChildren(...choices.map((c, i) => {
        const label = document.createElement('label');
        const radio = document.createElement('input');
        radio.type = 'radio';
        radio.name = 'choice';
        radio.value = String(i);
        radio.checked = i === 0;
        label.append(radio, ` ${c}`);
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
      const on = (target, type, react) => target.addEventListener(type, react, { signal: listening.signal });
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
      // The browser's own close request (Escape where the page cannot hold
      // it), and a close that no answer made.
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

  // ---- menus and keys ---------------------------------------------------------------

  // A menu described by the program: its items (command, text, key's
  // label, a separator before), each taken as the action "NAME:COMMAND"; the
  // canvases it opens over; whether an item is offered.
  const menus = new Map();
  let menuOpen = null;  // { name, owner } of the menu shown
  function defineMenu(name, items) {
    menus.set(name, { items, enabled: new Map(items.map((i) => [i.command, true])) });
  }
  function menuEnabled(name, command, enabled) { menus.get(name).enabled.set(command, enabled); }

  // A press this long, held still, opens the menu on a touch screen.
  const kLongPress = 550;  // ms
  const kStill = 10;       // CSS px the finger may move
  function menuOwner(canvas, name) {
    if (!name) return;
    canvas.dataset.menu = name;
    canvas.addEventListener('contextmenu', (e) => {
      e.preventDefault();
      canvas.focus();
      openMenu(canvas, e.clientX, e.clientY);
    });
    let pressed = null;  // { x, y, timer } of a touch held on the canvas
    let opened = false;  // the touch held opened the menu
    const release = () => {
      if (pressed) clearTimeout(pressed.timer);
      pressed = null;
    };
    canvas.addEventListener('pointerdown', (e) => {
      release();
      opened = false;
      if (e.pointerType === 'mouse') return;
      const at = { x: e.clientX, y: e.clientY };
      pressed = { ...at, timer: setTimeout(() => {
        pressed = null;
        opened = true;
        canvas.focus();
        openMenu(canvas, at.x, at.y);
      }, kLongPress) };
    });
    // The finger lifted from a press that opened the menu makes no click:
    // the menu's item under it was not chosen.
    canvas.addEventListener('touchend', (e) => {
      if (opened) e.preventDefault();
      opened = false;
    }, { passive: false });
    canvas.addEventListener('pointermove', (e) => {
      if (pressed && Math.hypot(e.clientX - pressed.x, e.clientY - pressed.y) > kStill) release();
    });
    for (const type of ['pointerup', 'pointercancel', 'pointerleave']) canvas.addEventListener(type, release);
    canvas.addEventListener('keydown', (e) => {
      if (e.key === 'ContextMenu' || (e.key === 'F10' && e.shiftKey)) {
        e.preventDefault();
        const r = canvas.getBoundingClientRect();
        openMenu(canvas, r.left + r.width / 2, r.top + r.height / 2);
      }
    });
  }

  function openMenu(owner, x, y) {
    const { items, enabled } = menus.get(owner.dataset.menu);
    menuOpen = { name: owner.dataset.menu, owner };
    const host = owner.closest('dialog') || document.body;
    if (menuElement.parentElement !== host) host.appendChild(menuElement);
    menuElement.replaceChildren(...items.flatMap((item) => {
      const entry = document.createElement('div');
      entry.setAttribute('role', 'menuitem');
      entry.tabIndex = -1;
      entry.dataset.action = item.command;
      entry.setAttribute('aria-disabled', String(!enabled.get(item.command)));
      const key = document.createElement('span');
      key.textContent = item.keyLabel;
      entry.append(item.text, key);
      if (!item.separatorBefore) return [entry];
      const line = document.createElement('div');
      line.setAttribute('role', 'separator');
      return [line, entry];
    }));
    menuElement.hidden = false;
    const r = menuElement.getBoundingClientRect();
    menuElement.style.left = px(Math.max(0, Math.min(x, window.innerWidth - r.width)));
    menuElement.style.top = px(Math.max(0, Math.min(y, window.innerHeight - r.height)));
    menuElement.querySelector('[role=menuitem]').focus();
  }
  function closeMenu(returnFocus) {
    menuElement.hidden = true;
    if (returnFocus && menuOpen) menuOpen.owner.focus();
    menuOpen = null;
  }
  const offeredItems = () => [...menuElement.querySelectorAll('[role=menuitem]')]
    .filter((e) => e.getAttribute('aria-disabled') !== 'true');
  menuElement.addEventListener('click', (e) => {
    const item = e.target.closest('[role=menuitem]');
    if (!item || item.getAttribute('aria-disabled') === 'true' || !menuOpen) return;
    const { name } = menuOpen;
    closeMenu(true);
    emit(`${name}:${item.dataset.action}`);
  });
  menuElement.addEventListener('keydown', (e) => {
    const items = offeredItems();
    const at = items.indexOf(document.activeElement);
    if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
      items[(at + (e.key === 'ArrowDown' ? 1 : items.length - 1)) % items.length]?.focus();
    } else if (e.key === 'Enter' || e.key === ' ') {
      document.activeElement.click();
    } else if (e.key === 'Escape' || e.key === 'Tab') {
      closeMenu(true);
    } else {
      return;
    }
    e.preventDefault();
    e.stopPropagation();  // Escape closes the menu, not the panel under it
  });
  document.addEventListener('pointerdown', (e) => {
    if (!menuElement.hidden && !menuElement.contains(e.target)) closeMenu(false);
  });

  // Ctrl and a letter, read by its place on the keyboard, so that the keys
  // work in any keyboard layout (Ctrl+С on a Russian one is Ctrl+C). While
  // the panel is open its own keys hold (copy not over a selected text);
  // otherwise the form's menu's: a canvas's key only where one of its
  // canvases has the focus, the others anywhere. A box, being modal, takes
  // its keys.
  const keys = new Map();  // menu name -> [{ code, command, canvasOnly }]
  function defineKeys(name, list) { keys.set(name, list); }
  document.addEventListener('keydown', (e) => {
    if (!e.ctrlKey || e.altKey || e.shiftKey || box.open) return;
    const shown = document.querySelector('dialog.panel[open]');
    const name = shown ? shown.dataset.menu : form.dataset.menu;
    const key = (keys.get(name) || []).find((k) => k.code === e.code);
    if (!key) return;
    if (key.canvasOnly && document.activeElement?.dataset?.menu !== name) return;
    if (shown && key.command === 'copy' && !window.getSelection().isCollapsed) return;
    const { enabled } = menus.get(name);
    e.preventDefault();
    if (enabled.get(key.command) !== false) emit(`${name}:${key.command}`);
  });

  // ---- the panel ----------------------------------------------------------------------

  // A modal panel over the form, white like paper: a title bar, the sheet
  // (its texts and graphs at the places placeSheet gives them), and a row
  // of buttons, each taken as the action "MENU:COMMAND", "close" closing
  // the panel. Escape closes it too.
  const sheetCanvases = new Map();  // name -> the canvas of a graph
  function openPanel(p) {
    panel.dataset.menu = p.menu;
    panel.style.maxWidth = px(p.maxWidth);
    panel.querySelector('.title-text').textContent = p.heading;
    panel.querySelector('.close').setAttribute('aria-label', p.closeLabel);
    sheetCanvases.clear();
    for (const c of p.cells) {
      const canvas = canvasElement(c);
      canvas.setAttribute('role', 'img');
      canvas.setAttribute('aria-label', c.spokenName);
      canvas.setAttribute('aria-description', c.sentence);
      menuOwner(canvas, p.menu);
      sheetCanvases.set(c.name, canvas);
    }
    placeSheet(p.sheet);
    panel.querySelector('.answers').replaceChildren(...p.buttons.map((b) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = b.text;
      if (b.keyLabel) button.title = b.keyLabel;
      button.dataset.action = b.command;
      if (b.command === 'close') button.className = 'end';
      button.addEventListener('click', () => {
        if (b.command === 'close' || b.closes) panel.close();
        if (b.command !== 'close') emit(`${p.menu}:${b.command}`);
      });
      return button;
    }));
    if (!panel.open) panel.showModal();
    panel.scrollTop = 0;
  }
  const sheetTags = { title: 'h2', heading: 'h3' };
  function placeSheet(s) {
    const sheet = panel.querySelector('.sheet');
    Object.assign(sheet.style, { width: px(s.width), height: px(s.height), background: s.paper });
    const placed = (e, x, y) => Object.assign(e.style, { left: px(x), top: px(y) });
    sheet.replaceChildren(...s.items.map((item) => {
      if (item.kind === 'graph') {
        const canvas = sheetCanvases.get(item.name);
        Object.assign(canvas.style, { width: px(item.width), height: px(item.height), borderWidth: px(s.edge),
          borderColor: s.edgeInk });
        return placed(canvas, item.x, item.y) && canvas;
      }
      const text = document.createElement(sheetTags[item.kind] || 'p');
      text.className = item.kind;
      text.textContent = item.text;
      Object.assign(text.style, { font: item.font, color: item.ink });
      if (item.kind === 'title') text.id = `${panel.id}-heading`;
      return placed(text, item.x, item.y) && text;
    }));
  }
  panel.querySelector('.close').addEventListener('click', () => panel.close());
  panel.addEventListener('close', () => { if (menuElement.parentElement === panel) closeMenu(false); });

  // ---- panels of parts ----------------------------------------------------------------

  // A modal panel over the form made of parts (practice, the cards' box),
  // a <dialog class="panel"> of the page given by its id: {id, heading,
  // closeLabel, menu, enter (the action of Enter in a field), parts}. A
  // part is a row of parts {kind: 'row', parts}, a text {kind: 'text',
  // name, font, role}, a field {kind: 'field', name, label, accessibleName,
  // limit, numeric}, a whole number {kind: 'number', name, label,
  // value}, a choice {kind: 'select', name, label, options, value, action},
  // a canvas {kind: 'canvas', name, width, height, deviceWidth,
  // deviceHeight, border, spokenName} or buttons {kind: 'buttons', items:
  // [{command, text}]}; an action is "MENU:COMMAND", "close" closes the
  // panel. Its parts are found by name: their texts (fieldText), and
  // changed by setPart.
  function openPartsPanel(p) {
    const dialog = document.getElementById(p.id);
    dialog.dataset.menu = p.menu;
    dialog.style.maxWidth = px(p.maxWidth);
    Object.assign(dialog.querySelector('.sheet').style, { paddingLeft: px(p.padding), paddingRight: px(p.padding) });
    dialog.querySelector('.title-text').textContent = p.heading;
    const close = dialog.querySelector('.close');
    close.setAttribute('aria-label', p.closeLabel);
    close.onclick = () => dialog.close();
    const run = (command) => (command === 'close' ? dialog.close() : emit(`${p.menu}:${command}`));
    const labelled = (c, control) => {
      control.id = c.name;
      const label = document.createElement('label');
      label.htmlFor = c.name;
      label.textContent = c.label;
      const holder = document.createElement('span');
      holder.className = 'labelled';
      holder.append(label, control);
      return holder;
    };
    const make = (c) => {
      if (c.kind === 'row') {
        const row = document.createElement('div');
        row.className = 'row';
        row.append(...c.parts.map(make));
        return row;
      }
      if (c.kind === 'text') {
        const text = document.createElement('p');
        text.id = c.name;
        text.className = 'text';
        if (c.bold) text.style.fontWeight = 'bold';
        return text;
      }
      if (c.kind === 'field' || c.kind === 'number') {
        const field = plainInput(String(c.value ?? ''), c.limit || 8, true);
        if (c.kind === 'number') field.inputMode = 'numeric';
        if (c.chars) field.style.width = `calc(${c.chars}ch + 1em)`;
        if (c.accessibleName) field.setAttribute('aria-label', c.accessibleName);
        field.addEventListener('keydown', (e) => {
          if (e.key === 'Enter' && !e.repeat && p.enter) {
            e.preventDefault();
            run(p.enter);
          }
        });
        return labelled(c, field);
      }
      if (c.kind === 'select') {
        const select = document.createElement('select');
        select.append(...c.options.map((text, i) => new Option(text, String(i), false, i === (c.value || 0))));
        if (c.action) select.addEventListener('change', () => run(c.action));
        return labelled(c, select);
      }
      if (c.kind === 'canvas') {
        const canvas = canvasElement(c);
        Object.assign(canvas.style, { width: px(c.width), height: px(c.height), borderWidth: px(c.border) });
        canvas.className = 'picture';
        canvas.setAttribute('role', 'img');
        canvas.setAttribute('aria-label', c.spokenName);
        const lines = document.createElement('div');
        lines.id = `${c.name}-lines`;
        lines.className = 'reader-only';
        canvas.setAttribute('aria-describedby', lines.id);
        readerLines.set(c.name, lines);
        shownLines.delete(c.name);
        const holder = document.createElement('div');
        holder.append(canvas, lines);
        return holder;
      }
      const buttons = document.createElement('div');
      buttons.className = 'answers';
      buttons.append(...c.items.map((b) => {
        const button = document.createElement('button');
        button.type = 'button';
        button.id = b.name;
        button.textContent = b.text;
        if (b.atEnd) button.className = 'end';
        button.addEventListener('click', () => run(b.command));
        return button;
      }));
      return buttons;
    };
    dialog.querySelector('.sheet').replaceChildren(...p.parts.map(make));
    if (!dialog.open) dialog.showModal();
    dialog.scrollTop = 0;
  }
  // A panel of parts shown again as it was left.
  function showPartsPanel(id) {
    const dialog = document.getElementById(id);
    if (!dialog.open) dialog.showModal();
  }
  // A part changed: {name, text, hidden, disabled, value, focus, reveal}.
  function setPart(c) {
    const el = document.getElementById(c.name);
    if (c.text !== undefined) el.textContent = c.text;
    if (c.value !== undefined) el.value = c.value;
    if (c.hidden !== undefined) el.hidden = c.hidden;
    if (c.disabled !== undefined) el.disabled = c.disabled;
    // Not on a touch screen, where the keyboard it brings up would cover the panel.
    if (c.focus && !document.documentElement.classList.contains('touch')) el.focus();
    if (c.reveal) el.scrollIntoView({ block: 'nearest' });
  }

  // ---- pages ---------------------------------------------------------------------------

  // Pages of paper drawn on canvases, kept as JPEG images (a page at the
  // printer's resolution is large, and most of it white), then saved as
  // one PDF of those pages or printed a page a sheet.
  let pages = [];
  function pagesBegin() {
    for (const page of pages) URL.revokeObjectURL(page.url);
    pages = [];
  }
  async function pagesAdd(id) {
    const canvas = canvasOf(id);
    const jpeg = await new Promise((resolve) => canvas.toBlob(resolve, 'image/jpeg', 0.92));
    if (!jpeg) return false;
    pages.push({ jpeg, width: canvas.width, height: canvas.height, url: URL.createObjectURL(jpeg) });
    return true;
  }

  // The pages as a PDF of `widthMm` x `heightMm` pages, each one image.
  async function pdfOfPages(widthMm, heightMm, title) {
    const enc = new TextEncoder();
    const w = (widthMm * 72 / 25.4).toFixed(2), h = (heightMm * 72 / 25.4).toFixed(2);
    const parts = [], offsets = [];
    let length = 0;
    const put = (part) => {
      const bytes = typeof part === 'string' ? enc.encode(part) : part;
      parts.push(bytes);
      length += bytes.length;
    };
    const object = (n, body) => {
      offsets[n] = length;
      put(`${n} 0 obj\n`);
      for (const part of [].concat(body)) put(part);
      put('\nendobj\n');
    };
    // The title as UTF-16 for the document's information.
    const utf16 = [...title].map((ch) => ch.codePointAt(0)).flatMap((c) => (c > 0xffff
      ? [0xd800 + ((c - 0x10000) >> 10), 0xdc00 + ((c - 0x10000) & 0x3ff)] : [c]))
      .map((u) => u.toString(16).toUpperCase().padStart(4, '0')).join('');
    put('%PDF-1.4\n%\xe2\xe3\xcf\xd3\n');
    const kids = pages.map((_, i) => `${4 + 3 * i} 0 R`).join(' ');
    object(1, '<< /Type /Catalog /Pages 2 0 R >>');
    object(2, `<< /Type /Pages /Kids [${kids}] /Count ${pages.length} >>`);
    object(3, `<< /Title <FEFF${utf16}> /Producer (Viramont) >>`);
    for (let i = 0; i < pages.length; ++i) {
      const n = 4 + 3 * i, page = pages[i];
      const content = `q ${w} 0 0 ${h} 0 0 cm /Page Do Q`;
      object(n, `<< /Type /Page /Parent 2 0 R /MediaBox [0 0 ${w} ${h}] /Resources << /XObject << /Page ${n + 2} 0 R >> >> /Contents ${n + 1} 0 R >>`);
      object(n + 1, [`<< /Length ${content.length} >>\nstream\n`, content, '\nendstream']);
      const jpeg = new Uint8Array(await page.jpeg.arrayBuffer());
      object(n + 2, [`<< /Type /XObject /Subtype /Image /Width ${page.width} /Height ${page.height} /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /DCTDecode /Length ${jpeg.length} >>\nstream\n`, jpeg, '\nendstream']);
    }
    const count = 4 + 3 * pages.length;
    const xref = length;
    put(`xref\n0 ${count}\n0000000000 65535 f \n`);
    for (let n = 1; n < count; ++n) put(`${String(offsets[n]).padStart(10, '0')} 00000 n \n`);
    put(`trailer\n<< /Size ${count} /Root 1 0 R /Info 3 0 R >>\nstartxref\n${xref}\n%%EOF\n`);
    return new Blob(parts, { type: 'application/pdf' });
  }

  function downloadBlob(blob, fileName) {
    const url = URL.createObjectURL(blob);
    const link = document.createElement('a');
    link.href = url;
    link.download = fileName;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  }
  async function pagesSave(fileName, widthMm, heightMm, title) {
    try {
      downloadBlob(await pdfOfPages(widthMm, heightMm, title), fileName);
      return true;
    } catch (e) {
      return false;
    }
  }

  // Prints the pages, a page a sheet, landscape (the print style).
  async function pagesPrint(name) {
    const sheet = document.getElementById('print-sheet');
    const images = pages.map((page, i) => {
      const image = new Image();
      image.alt = `${name} ${i + 1}`;
      image.src = page.url;
      return image;
    });
    sheet.classList.add('pages');
    sheet.replaceChildren(...images);
    await Promise.all(images.map((image) => image.decode().catch(() => {})));
    window.print();
    sheet.classList.remove('pages');
    return true;
  }

  // ---- the clipboard and the address ---------------------------------------------------

  async function copyText(text) {
    try {
      await navigator.clipboard.writeText(text);
      return true;
    } catch (e) {
      return false;
    }
  }
  const pageAddress = () => window.location.href.split('#')[0];

  // ---- a picture walked by keys and heard ----------------------------------------------

  // The canvas becomes a slider (arrow keys reach it in a screen reader's
  // browse mode): the walk's keys, by their place, go to the program as
  // "walk:CODE"; each step's line is its value text. The first key or click
  // after it starts the page's sound, as browsers allow it only then.
  let audio = null;
  let playing = null;
  let soundsStarted = 0;
  function startAudio() {
    try {
      audio = audio || new AudioContext();
      if (audio.state === 'suspended') audio.resume().catch(() => {});
    } catch {
      audio = null;
    }
  }
  function walkable(id, codes) {
    const canvas = document.getElementById(id);
    canvas.setAttribute('role', 'slider');
    canvas.tabIndex = 0;
    if (canvas.dataset.walk) return;
    canvas.dataset.walk = 'on';
    for (const type of ['keydown', 'pointerdown']) document.addEventListener(type, startAudio, true);
    canvas.addEventListener('keydown', (e) => {
      if (e.ctrlKey || e.altKey || e.metaKey || e.shiftKey || box.open || !codes.includes(e.code)) return;
      if (e.code === 'Escape' && !playing) return;  // nothing to stop: Escape closes the panel it is in
      e.preventDefault();
      emit(`walk:${id}/${e.code}`);
    });
  }
  function walkValue(id, text, x) {
    const canvas = document.getElementById(id);
    canvas.setAttribute('aria-valuenow', String(x));
    canvas.setAttribute('aria-valuetext', text);
  }
  // Plays stereo samples, left and right interleaved, at `rate`; false when
  // the page has no sound.
  function playSound(id, samples, rate, sweep) {
    stopSound();
    if (!audio || audio.state === 'closed') return false;
    const frames = samples.length / 2;
    const buffer = audio.createBuffer(2, frames, rate);
    const left = buffer.getChannelData(0);
    const right = buffer.getChannelData(1);
    for (let i = 0; i < frames; i += 1) {
      left[i] = samples[2 * i];
      right[i] = samples[2 * i + 1];
    }
    const source = audio.createBufferSource();
    source.buffer = buffer;
    source.connect(audio.destination);
    source.onended = () => {
      if (playing !== source) return;
      playing = null;
      if (sweep) emit(`walk:${id}/ended`);
    };
    source.start();
    playing = source;
    soundsStarted += 1;
    document.dispatchEvent(new CustomEvent('viramont-sound', { detail: { frames, rate, sweep, state: audio.state } }));
    return true;
  }
  function stopSound() {
    const source = playing;
    playing = null;
    if (source) source.stop();
  }

  // ---- the motion ----------------------------------------------------------------------

  // "Показать движение": while it plays, a frame each time the browser
  // draws, given the frame's time; a frame the browser dropped, or one due
  // while an action runs, is skipped, never queued: the next shows the time
  // it is then. Space, Right, Left and Escape are its keys; any other key
  // or a click stops it first and then takes effect (Ctrl with a letter,
  // copy, save and print, takes the frame as it is). The body says whether
  // it plays (data-motion) and counts the motions ended (data-motions): the
  // signals the tests wait for.
  let motionCall = null;  // { frame(now), key(key, now) } of the program
  let motionPlaying = false;
  let motionsEnded = 0;
  const motionTimes = [];  // ms each frame took in the program, for the benchmark
  const motionKeys = { ' ': 0, ArrowRight: 1, ArrowLeft: 2, Escape: 3 };
  function motionCalls(frame, key) { motionCall = { frame, key }; }
  function motionTick(now) {
    if (!motionPlaying) return;
    if (!acting) {
      const began = performance.now();
      const going = motionCall.frame(now);
      motionTimes.push(performance.now() - began);
      if (motionTimes.length > 1000) motionTimes.shift();
      if (!going) return;
    }
    requestAnimationFrame(motionTick);
  }
  let motionCanvas = null;  // the canvas it plays on
  function motionBegin(canvas) {
    motionPlaying = true;
    motionCanvas = document.getElementById(canvas);
    document.body.dataset.motion = 'playing';
    requestAnimationFrame(motionTick);
    return window.matchMedia('(prefers-reduced-motion: reduce)').matches ? 1 : 0;
  }
  function motionEnd() {
    motionPlaying = false;
    delete document.body.dataset.motion;
    document.body.dataset.motions = String(++motionsEnded);
  }
  function motionKey(key) {
    const call = () => { if (motionPlaying) motionCall.key(key, performance.now()); };
    if (acting) act(call);
    else call();
  }
  document.addEventListener('keydown', (e) => {
    if (!motionPlaying || e.ctrlKey || e.metaKey || e.altKey) return;
    const key = motionKeys[e.key];
    // Over a panel or a box the keys are theirs, unless it plays in that
    // panel: the motion stops first.
    const over = [...document.querySelectorAll('dialog[open]')].pop();
    if (key === undefined || (over && !over.contains(motionCanvas))) {
      motionKey(-1);
      return;
    }
    e.preventDefault();
    e.stopImmediatePropagation();
    motionKey(key);
  }, true);
  document.addEventListener('pointerdown', (e) => {
    if (motionPlaying && e.button === 0 && !menuElement.contains(e.target)) motionKey(-1);
  }, true);

  // ---- start ----------------------------------------------------------------------------

  // The decimal separator of the browser's language.
  function decimalSeparator() {
    const part = new Intl.NumberFormat(navigator.language).formatToParts(0.5).find((p) => p.type === 'decimal');
    return part ? part.value : '.';
  }

  // Loads every font the page holds, then takes the program's handler.
  async function start(actionHandler) {
    document.documentElement.classList.toggle('touch',
      navigator.maxTouchPoints > 0 || window.matchMedia('(any-pointer: coarse)').matches);
    await Promise.all([...document.fonts].map((f) => f.load()));
    handler = actionHandler;
  }

  return {
    act, emit, idle: () => drained, busyFrame, start, decimalSeparator,
    setForm, addControl, placeControl, listAppend, fieldText, setFieldText, copyText, pageAddress,
    offscreenCanvas, canvasOf, textWidth, fontAscent, fontHeight, textMask, canvasShow, canvasLines, announce,
    compose, composeText, composeRect, composeImage, copyImage, download, printImage,
    openBox, defineMenu, menuEnabled, defineKeys, openPanel, placeSheet, openPartsPanel, showPartsPanel, setPart,
    pagesBegin, pagesAdd, pagesSave, pagesPrint,
    walkable, walkValue, playSound, stopSound, soundsStarted: () => soundsStarted,
    motionCalls, motionBegin, motionEnd, motionTimes,
  };
})();
