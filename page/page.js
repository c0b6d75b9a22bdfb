// The page's start-up and frame: it loads the fonts, starts the program
// (page_main.cpp) with the viewport, the pixel ratio and the browser's
// decimal separator, passes every action of the web toolkit
// (toolkit/web/toolkit.js) to it, and fits the form to the viewport after
// every resize and turn of the screen. Everything the page shows comes from
// the program through the toolkit.
'use strict';

window.viramontPage = (() => {
  const toolkit = window.viramontToolkit;
  const form = document.getElementById('form');
  let program = null;

  // A viewport smaller than the form shows it scaled down evenly. The form
  // stands out of the page's flow, so the page is as large as the form as
  // it is shown, never as it was laid out.
  function fitForm() {
    const fit = Math.min(1, window.innerWidth / form.offsetWidth, window.innerHeight / form.offsetHeight);
    form.style.transform = fit < 1 ? `scale(${fit})` : '';
  }

  async function start(createProgram) {
    await toolkit.start((action) => program.ccall('viramont_press', null, ['string'], [action], { async: true }));
    program = await createProgram();
    await toolkit.act(() => program.ccall('viramont_start', null, ['number', 'number', 'number', 'string'],
      [window.innerWidth, window.innerHeight, window.devicePixelRatio || 1, toolkit.decimalSeparator()],
      { async: true }));
    fitForm();
    window.addEventListener('resize', fitForm);
    document.body.classList.add('ready');
    const first = [...form.querySelectorAll('[tabindex]')].sort((a, b) => a.tabIndex - b.tabIndex)[0];
    if (first) first.focus();
  }

  // ВЫХОД: the form goes, and the browser is asked to close the tab.
  function endProgram() {
    form.hidden = true;
    window.close();
  }

  // The one entry point for the page's tests and benchmark, and nothing
  // else: an action taken in its turn (resolves when it has ended), the end
  // of all that was asked, the picture that save would make (at the
  // screen's pixels for 0, or drawn anew at a ratio) as a canvas, and the
  // benchmark page's compute floor.
  window.viramontHooks = {
    press: (action) => toolkit.emit(action),
    idle: () => toolkit.idle(),
    picture: async (ratio) => {
      let id;
      await toolkit.act(() => { id = program.ccall('viramont_picture', 'string', ['number'], [ratio]); });
      return toolkit.canvasOf(id);
    },
    floor: () => program.ccall('viramont_floor', 'number', [], []),
  };

  return { start, endProgram };
})();
