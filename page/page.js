// The page's start-up and frame: it loads the fonts, starts the program
// (page_main.cpp) with the viewport, the pixel ratio and the browser's
// decimal separator, passes every action of the web toolkit
// (toolkit/web/toolkit.js) to it, has the form placed anew after a resize,
// a turn of the screen or a zoom, and opens a plot's link (the address's
// fragment) once started and whenever the fragment changes. Everything the
// page shows comes from the program through the toolkit.
'use strict';

window.viramontPage = (() => {
  const toolkit = window.viramontToolkit;
  const form = document.getElementById('form');
  let program = null;

  // The layout viewport (a pinch-zoom leaves it), without a scroll bar.
  const viewport = () => [document.documentElement.clientWidth || window.innerWidth,
    document.documentElement.clientHeight || window.innerHeight, window.devicePixelRatio || 1];
  let placedFor = [0, 0, 0];

  // The form placed for the viewport as it is once the action before has
  // ended; resizes meanwhile come to one. The body then says the layout
  // and the viewport it was made for (data-layout), the signal the tests
  // wait for.
  //
  // A phone's keyboard, shown for a field, makes the viewport lower: the
  // form stays as it is until the width or the ratio changes.
  let placing = false;
  function relayout() {
    if (placing) return;
    placing = true;
    toolkit.act(async () => {
      placing = false;
      const [width, height, ratio] = viewport();
      const typing = document.activeElement?.matches?.('input');
      if (typing && width === placedFor[0] && ratio === placedFor[2]) return;
      placedFor = [width, height, ratio];
      await program.ccall('viramont_layout', null, ['number', 'number', 'number'], [width, height, ratio],
        { async: true });
      document.body.dataset.layout =
        `${document.documentElement.classList.contains('column') ? 'column' : 'wide'} ${width}x${height}`;
      // A scroll bar that came or went with the layout changed the width.
      if (viewport()[0] !== width) relayout();
    });
  }

  // The plot of a link, from the fragment of the address.
  function openLink() {
    const fragment = window.location.hash.slice(1);
    if (!fragment) return;
    toolkit.act(() => program.ccall('viramont_open_link', null, ['string'], [fragment], { async: true }));
  }

  async function start(createProgram) {
    await toolkit.start((action) => program.ccall('viramont_press', null, ['string'], [action], { async: true }));
    program = await createProgram();
    toolkit.motionCalls((now) => program.ccall('viramont_motion_frame', 'number', ['number'], [now]),
      (key, now) => program.ccall('viramont_motion_key', 'number', ['number', 'number'], [key, now]));
    await toolkit.act(() => program.ccall('viramont_start', null, ['number', 'number', 'number', 'string'],
      [...viewport(), toolkit.decimalSeparator()], { async: true }));
    window.addEventListener('resize', relayout);
    window.addEventListener('orientationchange', relayout);
    window.addEventListener('hashchange', openLink);
    relayout();  // the viewport may have changed while the program loaded
    document.body.classList.add('ready');
    // The first field takes the focus where a keyboard is at hand; on a
    // touch screen the phone's keyboard would cover the form.
    const first = [...form.querySelectorAll('[tabindex]')].filter((e) => e.tabIndex > 0)
      .sort((a, b) => a.tabIndex - b.tabIndex)[0];
    if (first && !document.documentElement.classList.contains('touch')) first.focus();
    openLink();
  }

  // ВЫХОД: the form goes, and the browser is asked to close the tab.
  function endProgram() {
    form.hidden = true;
    window.close();
  }

  // The one entry point for the page's tests and benchmark, and nothing
  // else: an action taken in its turn (resolves when it has ended), the end
  // of all that was asked, the picture that save would make (at the
  // screen's pixels for 0, or drawn anew at a ratio) as a canvas, the seed
  // of the next round of practice, and the benchmark page's compute floor
  // and the motion's frame times.
  window.viramontHooks = {
    press: (action) => toolkit.emit(action),
    idle: () => toolkit.idle(),
    picture: async (ratio) => {
      let id;
      await toolkit.act(() => { id = program.ccall('viramont_picture', 'string', ['number'], [ratio]); });
      return toolkit.canvasOf(id);
    },
    practiceSeed: (seed) => program.ccall('viramont_practice_seed', null, ['number'], [seed]),
    floor: () => program.ccall('viramont_floor', 'number', [], []),
    motionTimes: () => toolkit.motionTimes.splice(0),
  };

  return { start, endProgram };
})();
