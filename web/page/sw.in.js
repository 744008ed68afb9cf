// The service worker: the page's files are kept for playing offline; a new build (a new version
// here) fetches them all again and drops the old ones.
const VERSION = '@VERSION@';
const FILES = [@FILES@];
self.addEventListener('install', (e) => {
  e.waitUntil(caches.open(VERSION).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});
self.addEventListener('activate', (e) => {
  e.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((k) => k !== VERSION).map((k) => caches.delete(k))))
    .then(() => self.clients.claim()));
});
self.addEventListener('fetch', (e) => {
  if (e.request.method !== 'GET') return;
  e.respondWith(caches.open(VERSION).then((cache) =>
    cache.match(e.request, {ignoreSearch: true}).then((hit) => hit || fetch(e.request))));
});
