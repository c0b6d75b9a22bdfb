// The service worker of the site folder (site.py makes it sw.js, with the
// folder's version and files): it keeps the folder's files in a cache of
// this version, answers the page and everything it asks from there, so that
// the app starts with no network, and asks the network only for what it
// does not hold, in the folder's own site. A folder with anything changed
// is another version, another sw.js: the browser installs it at the next
// visit, it takes over at once and drops the older version's files, and
// the first page of the new version is told that the app was updated.
'use strict';

const version = '/*@VERSION@*/';
const files = /*@FILES@*/;
const scope = self.registration.scope;
// Several copies of the app may stand in one site, each in its folder.
const cachePrefix = `viramont ${scope} `;
const cacheName = cachePrefix + version;
// Kept in the new version's cache until its first page has been told.
const updatedMark = new URL('viramont-updated', scope).href;

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(cacheName);
    // From the server, never from the browser's HTTP cache: the files of
    // one version.
    await cache.addAll(files.map((file) => new Request(file, { cache: 'reload' })));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    const older = (await caches.keys()).filter((name) => name.startsWith(cachePrefix) && name !== cacheName);
    await Promise.all(older.map((name) => caches.delete(name)));
    if (older.length) await (await caches.open(cacheName)).put(updatedMark, new Response(version));
    await self.clients.claim();
  })());
});

// The folder's own address and index.html both open the page, with a
// plot's link in the fragment or not.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== self.location.origin) return;
  const asked = request.mode === 'navigate' && url.origin + url.pathname === scope ? 'index.html' : request;
  event.respondWith((async () => {
    const kept = await caches.match(asked, { cacheName, ignoreSearch: true });
    return kept || fetch(request);
  })());
});

// The page asks, with its version, whether it is the first start of that
// version after another one; the answer is yes once.
self.addEventListener('message', (event) => {
  const asked = event.data?.version;
  event.waitUntil((async () => {
    const updated = asked === version && await (await caches.open(cacheName)).delete(updatedMark);
    event.source.postMessage({ version: asked, updated });
  })());
});
