// Keeps the site's files so that the page opens without a network once it has been loaded.
// A request goes to the network first, so that a new build is seen at once, and its answer
// is kept; without a network the kept answer is given.

const kCache = 'q42-site';
const kFiles = [
    './', 'index.html', 'style.css', 'app.js', 'q42.js', 'q42.wasm', 'manifest.webmanifest',
    'icons/q42-192.png', 'icons/q42-512.png', 'icons/q42.svg',
    'examples/index.json', 'guide/guide.en.md', 'guide/guide.ru.md', 'guide/card.en.md',
    'guide/card.ru.md', 'guide/mistakes.en.md', 'guide/mistakes.ru.md', 'lessons/index.json',
    'lessons/en/00-using.md', 'lessons/ru/00-using.md',
];

// Each lesson in both languages, and its exercises' starting texts and check files.
function lessonFiles(lessons) {
    return lessons.flatMap((lesson) => [
        `lessons/en/${lesson.name}.md`, `lessons/ru/${lesson.name}.md`,
        ...lesson.exercises.en.flatMap(({ name }) => [`lessons/${name}.asm`, `lessons/${name}.q42test`]),
    ]);
}

self.addEventListener('install', (event) => {
    event.waitUntil((async () => {
        const cache = await caches.open(kCache);
        await cache.addAll(kFiles);
        const examples = await (await cache.match('examples/index.json')).json();
        await cache.addAll(examples.map((example) => `examples/${example.file}`));
        await cache.addAll(lessonFiles(await (await cache.match('lessons/index.json')).json()));
        await self.skipWaiting();
    })());
});

self.addEventListener('activate', (event) => {
    event.waitUntil(self.clients.claim());
});

self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
    event.respondWith((async () => {
        const cache = await caches.open(kCache);
        try {
            const response = await fetch(request);
            if (response.ok) event.waitUntil(cache.put(request, response.clone()));
            return response;
        } catch (error) {
            const kept = await cache.match(request, { ignoreSearch: true });
            if (kept) return kept;
            throw error;
        }
    })());
});
