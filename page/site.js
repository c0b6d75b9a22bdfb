// The page on the school's site (index.html of the site folder, site.py):
// it links the app's manifest, has the service worker (sw.js) keep the
// folder's files, so that the app starts with no network from then on, and
// at the first start of a new version of the folder it says once that the
// app was updated. Only over http(s): a browser takes a manifest only from
// a web server, and a service worker only where the page is secure (https,
// or this computer's own server). The one file viramont.html holds none of
// this, and index.html opened from a folder does nothing of it.
//
// The body then says what the service worker told (data-site): "updated"
// at the first start of a new version, "current" at any later start; the
// signal the tests wait for.
'use strict';

(() => {
  const notice = /*@NOTICE@*/;
  const version = document.querySelector('meta[name="viramont-version"]').content;
  if (!/^https?:$/.test(window.location.protocol)) return;
  const manifest = document.createElement('link');
  manifest.rel = 'manifest';
  manifest.href = 'manifest.webmanifest';
  document.head.append(manifest);
  const workers = navigator.serviceWorker;
  if (!workers || !window.isSecureContext) return;

  // The notice at the bottom of the screen, read out by a screen reader,
  // until the pupil touches the page or presses a key.
  function sayUpdated() {
    const note = document.createElement('div');
    note.id = 'site-notice';
    note.setAttribute('aria-hidden', 'true');
    note.textContent = notice;
    Object.assign(note.style, {
      position: 'fixed', left: '50%', bottom: '16px', transform: 'translateX(-50%)', zIndex: 50,
      padding: '8px 16px', borderRadius: '4px', background: '#303030', color: '#ffffff',
      font: 'bold 16px "Liberation Sans", "DejaVu Sans", sans-serif', pointerEvents: 'none',
    });
    document.body.append(note);
    window.viramontToolkit.announce(notice);
    const hide = () => note.remove();
    window.addEventListener('pointerdown', hide, { once: true });
    window.addEventListener('keydown', hide, { once: true });
  }

  // A page that a service worker answered asks it whether this is the
  // first start of its version after another one.
  const controller = workers.controller;
  if (controller) {
    workers.addEventListener('message', (event) => {
      if (event.data?.version !== version) return;
      if (event.data.updated) sayUpdated();
      document.body.dataset.site = event.data.updated ? 'updated' : 'current';
    });
    workers.startMessages();
    controller.postMessage({ version });
  }

  // Once the page has loaded, so that the worker's downloads come after it.
  // A browser that allows no service worker here (a private window) leaves
  // the page as it is, working while the network is there.
  window.addEventListener('load', () => {
    workers.register('sw.js', { updateViaCache: 'none' }).catch(() => {});
  });
})();
