// Keeps every file the page has loaded, so that it works offline once loaded: each
// request is answered from the network when it can be (and the answer kept), else from
// what was kept.
const store = 'palvane-web';
self.addEventListener('install', () => self.skipWaiting());
self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(
    fetch(event.request)
      .then((response) => {
        const copy = response.clone();
        void caches.open(store).then((cache) => cache.put(event.request, copy));
        return response;
      })
      .catch(() => caches.match(event.request).then((kept) => kept ?? Response.error())),
  );
});
