// The page in a real browser: headless Chromium driven through puppeteer-core, against the site
// served by a small server started here. Everything is done through the page's own controls:
// the examples menu, the buttons, the editor's gutter, the screen's keyboard and the line field.
//   node web/test/page.mjs build-web/site
// Checks: every example runs to its transcript (examples/NAME.out, input from NAME.in), a
// breakpoint set in the gutter pauses there, a step back restores the registers, keys typed
// into the screen reach the program once each, slow and fast runs and Stop, the language
// switch, the guide, the page offline. It saves docs/web.png and docs/web-ru.png and prints
// how long the page took to become ready.
import http from 'node:http';
import { readFileSync, readdirSync, existsSync, statSync } from 'node:fs';
import { join, extname, resolve, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

const site = resolve(process.argv[2] ?? 'build-web/site');
const chromium = process.env.CHROMIUM ?? '/usr/bin/chromium';
const root = resolve(dirname(fileURLToPath(import.meta.url)), '..', '..');
const examplesDir = join(root, 'examples');
const kScreenLines = 10;

// The site over HTTP, as any static server would give it.
const types = {
    '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
    '.css': 'text/css; charset=utf-8', '.wasm': 'application/wasm', '.json': 'application/json',
    '.md': 'text/markdown; charset=utf-8', '.asm': 'text/plain; charset=utf-8',
};
const server = http.createServer((request, response) => {
    let path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    if (path.endsWith('/')) path += 'index.html';
    const file = join(site, path);
    if (!file.startsWith(site) || !existsSync(file) || !statSync(file).isFile()) {
        response.writeHead(404).end();
        return;
    }
    response.writeHead(200, { 'Content-Type': types[extname(file)] ?? 'application/octet-stream' });
    response.end(readFileSync(file));
});
await new Promise((done) => server.listen(0, '127.0.0.1', done));
const url = `http://127.0.0.1:${server.address().port}/`;

const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--lang=en-US'],
});
const page = await browser.newPage();
await page.setViewport({ width: 1440, height: 900 });
const scriptErrors = [];
page.on('pageerror', (error) => scriptErrors.push(String(error)));
page.on('console', (message) => {
    if (message.type() === 'error') scriptErrors.push(message.text());
});

let failures = 0;
function report(ok, name, detail = '') {
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${detail ? ': ' + detail : ''}`);
    if (!ok) failures++;
}
async function check(name, body) {
    try {
        const detail = await body();
        report(true, name, detail);
    } catch (error) {
        report(false, name, String(error?.message ?? error).slice(0, 600));
    }
}
function expect(condition, message) {
    if (!condition) throw new Error(message);
}

// What the page shows

const mode = () => page.evaluate(() => document.body.dataset.run);
async function waitForMode(modes, timeout = 20000) {
    await page.waitForFunction((list) => list.includes(document.body.dataset.run), { timeout }, modes);
    return mode();
}
const screenLines = () => page.$$eval('#screen .screen-line:not([hidden])', (rows) => rows.map((row) => row.textContent.trimEnd()));
const registerValues = () => page.$$eval('[data-register], [data-flag]', (fields) =>
    fields.map((field) => `${field.dataset.register ?? field.dataset.flag}=${field.dataset.register ? field.textContent : field.querySelector('.flag-value').textContent}`).join(' '));
const runLineText = () => page.$eval('.cm-run-line', (line) => line.textContent).catch(() => null);

async function waitReady() {
    await page.waitForFunction(() => performance.getEntriesByName('q42-ready').length > 0 &&
        document.querySelectorAll('#examples option').length > 1, { timeout: 30000 });
    return page.evaluate(() => performance.getEntriesByName('q42-ready')[0].startTime);
}

async function openExample(name) {
    await page.select('#examples', name);
    await page.waitForFunction((file) => document.getElementById('file-name').textContent === file, {}, `${name}.asm`);
}

async function setLanguage(code) {
    await page.click(`.language button[data-language="${code}"]`);
    await page.waitForFunction((lang) => document.documentElement.lang === lang, {}, code);
}

// Runs the program in the editor with the Run button to its end, answering each wait as the
// node test of the core does: the next line for a line wait, the next key for a key wait.
async function runToEnd(input = { lines: [], keys: [] }) {
    await page.click('#run');
    for (let guard = 0; guard < 200; ++guard) {
        const now = await waitForMode(['idle', 'paused', 'line', 'key']);
        if (now === 'line') {
            await page.type('#line-input', input.lines.shift() ?? '');
            await page.keyboard.press('Enter');
        } else if (now === 'key') {
            const key = input.keys.shift() ?? '\r';
            await page.focus('#screen');
            if (key === '\r') await page.keyboard.press('Enter');
            else await page.keyboard.type(key);
        } else {
            return now;
        }
    }
    throw new Error('the run did not end');
}

function inputOf(stem) {
    const file = join(examplesDir, `${stem}.in`);
    const text = existsSync(file) ? readFileSync(file, 'utf8') : '';
    return {
        lines: text.split('\n').filter((line, i, all) => i < all.length - 1 || line !== ''),
        keys: [...text.replace(/\n/g, '\r')],
    };
}

// The checks

let readyMs = 0;
await check('page ready', async () => {
    await page.goto(url, { waitUntil: 'load' });
    readyMs = await waitReady();
    return `interactive ${readyMs.toFixed(0)} ms after navigation start`;
});

await setLanguage('ru');  // the transcripts are the Russian texts of the machine

for (const name of readdirSync(examplesDir).filter((file) => file.endsWith('.asm')).sort()) {
    const stem = name.replace(/\.asm$/, '');
    await check(`example ${stem}`, async () => {
        await openExample(stem);
        const end = await runToEnd(inputOf(stem));
        expect(end === 'idle', `the run stopped in mode ${end}`);
        const expected = readFileSync(join(examplesDir, `${stem}.out`), 'utf8').split('\n').slice(0, -1)
            .map((line) => line.trimEnd()).slice(-kScreenLines);
        const screen = await screenLines();
        expect(JSON.stringify(screen.slice(-expected.length)) === JSON.stringify(expected),
            `expected ${JSON.stringify(expected)}, got ${JSON.stringify(screen)}`);
    });
}

let atBreakpoint = '';
await check('breakpoint set in the gutter', async () => {
    await openExample('countdown');
    // Line 11 of countdown.asm: ADD #'0',R0, the second instruction of the loop.
    const line = await page.$$eval('.cm-lineNumbers .cm-gutterElement', (elements) => {
        const element = elements.find((e) => e.textContent === '11');
        const box = element.getBoundingClientRect();
        const gutter = document.querySelector('.cm-breakpoint-gutter').getBoundingClientRect();
        return { x: gutter.left + gutter.width / 2, y: box.top + box.height / 2 };
    });
    await page.mouse.click(line.x, line.y);
    const dots = await page.$$eval('.cm-breakpoint-gutter .cm-breakpoint-dot', (d) => d.filter((e) => e.checkVisibility({ visibilityProperty: true })).length);
    expect(dots === 1, `${dots} breakpoint dots`);
    const end = await runToEnd();
    expect(end === 'paused', `the run ended in mode ${end}`);
    const runLine = await runLineText();
    expect(runLine?.includes("ADD #'0',R0"), `the highlighted line is ${JSON.stringify(runLine)}`);
    atBreakpoint = await registerValues();
    expect(atBreakpoint.startsWith('R0=0009 R1=') && atBreakpoint.includes('R3=0009') && atBreakpoint.includes('PC=0004'),
        `registers ${atBreakpoint}`);
    return `paused at line 11 with ${atBreakpoint}`;
});

await check('step back restores the registers', async () => {
    expect(atBreakpoint, 'no pause at the breakpoint');
    await page.click('.cm-content');
    for (let i = 0; i < 4; ++i) await page.keyboard.press('F7');
    await waitForMode(['paused']);
    const stepped = await registerValues();
    expect(stepped !== atBreakpoint, 'the steps changed nothing');
    const lit = await page.$$eval('.register-value.changed', (fields) => fields.length);
    expect(lit > 0, 'no register lit after a step');
    for (let i = 0; i < 4; ++i) {
        await page.keyboard.down('Shift');
        await page.keyboard.press('F7');
        await page.keyboard.up('Shift');
    }
    const back = await registerValues();
    expect(back === atBreakpoint, `after 4 steps and 4 back: ${back}, at the breakpoint: ${atBreakpoint}`);
    const runLine = await runLineText();
    expect(runLine?.includes("ADD #'0',R0"), `the highlighted line is ${JSON.stringify(runLine)}`);
    // The log row of a step takes the machine there too.
    await page.click('#log-space .log-row[data-step="3"]');
    const log = await page.$eval('#log-space .log-row.current', (row) => row.dataset.step);
    expect(log === '3', `the current log row is ${log}`);
    await page.click('#stop');
    await waitForMode(['idle']);
    // The breakpoint off again for the checks that follow.
    await page.mouse.click(...await page.$$eval('.cm-breakpoint-gutter .cm-breakpoint-dot', (dots) => {
        const box = dots.find((dot) => dot.checkVisibility({ visibilityProperty: true })).getBoundingClientRect();
        return [box.left + box.width / 2, box.top + box.height / 2];
    }));
    const left = await page.$$eval('.cm-breakpoint-gutter .cm-breakpoint-dot', (d) => d.filter((e) => e.checkVisibility({ visibilityProperty: true })).length);
    expect(left === 0, `${left} breakpoints left after a click on the dot`);
    return `4 steps to ${stepped.split(' ').slice(0, 5).join(' ')}…, 4 back`;
});

await check('keys typed into the screen reach the program once', async () => {
    await openExample('echo');
    await page.click('#run');
    expect(await waitForMode(['key']) === 'key', 'no wait for a key');
    await page.focus('#screen');
    await page.keyboard.type('q42 web');
    await page.keyboard.press('Enter');
    expect(await waitForMode(['idle']) === 'idle', 'the run did not end');
    const screen = await screenLines();
    expect(screen.includes('q42 web'), `screen ${JSON.stringify(screen)}`);
    return JSON.stringify(screen[2]);
});

await check('speeds: a slow run shows its steps, a fast one never blocks the page, Stop ends both', async () => {
    await page.click('.cm-content');
    await page.keyboard.down('Control');
    await page.keyboard.press('a');
    await page.keyboard.up('Control');
    await page.keyboard.type('L:      BR L    ; for ever\n');
    const stepNow = () => page.$eval('#log-space .log-row.current', (row) => Number(row.dataset.step)).catch(() => 0);
    const stoppedAt = () => page.$eval('#run-status', (status) => Number(status.textContent.replace(/\D/g, '')));

    await page.select('#speed', '10');
    await page.click('#run');
    await new Promise((done) => setTimeout(done, 1000));
    const slow = await stepNow();
    expect(slow >= 5 && slow <= 15, `${slow} steps in a second at 10 steps/s`);
    await page.click('#stop');
    expect(await mode() === 'idle', 'Stop did not end the slow run at once');
    const screen = await screenLines();
    expect(screen.at(-1) === 'Задача прервана пользователем', `screen ${JSON.stringify(screen)}`);

    await page.select('#speed', '0');
    await page.evaluate(() => {
        window.frameGaps = [];
        let last = performance.now();
        const frame = (now) => {
            window.frameGaps.push(now - last);
            last = now;
            if (window.frameGaps.length < 10000) requestAnimationFrame(frame);
        };
        requestAnimationFrame(frame);
    });
    await page.click('#run');
    await new Promise((done) => setTimeout(done, 1500));
    await page.click('#stop');
    expect(await mode() === 'idle', 'Stop did not end the fast run at once');
    const fast = await stoppedAt();
    const gaps = await page.evaluate(() => window.frameGaps.slice(5));
    const longest = Math.max(...gaps);
    expect(fast > 1e6, `only ${fast} steps in 1.5 s at maximum speed`);
    expect(longest < 100, `a frame took ${longest.toFixed(0)} ms`);
    return `${slow} steps/s at 10; ${(fast / 1.5 / 1e6).toFixed(0)} M steps/s at maximum, longest frame ${longest.toFixed(0)} ms`;
});

await check('the language switch changes the texts', async () => {
    const russian = await page.$eval('#run span', (span) => span.textContent);
    await setLanguage('en');
    const english = await page.$eval('#run span', (span) => span.textContent);
    const heading = await page.$eval('.screen-panel h2', (h) => h.textContent);
    expect(russian === 'Запуск' && english === 'Run' && heading === 'Screen',
        `Run button ${russian} / ${english}, screen heading ${heading}`);
    await openExample('hello');
    await runToEnd();
    const screen = await screenLines();
    expect(screen[0].includes('Teaching computer') && screen.at(-1) === 'Task completed',
        `screen ${JSON.stringify(screen)}`);
    const menu = await page.$eval('#examples option[value="hello"]', (option) => option.textContent);
    expect(menu.startsWith('Hello:'), `menu ${menu}`);
    return `${russian} → ${english}; ${screen.at(-1)}`;
});

// A run of stars.asm with its first word decoded, in each language.
async function screenshot(file) {
    await openExample('stars');
    await runToEnd();
    await page.click('#ram td.word[data-address="0000"]');
    await page.evaluate(() => document.activeElement?.blur());
    await page.screenshot({ path: join(root, 'docs', file) });
}
await check('screenshots', async () => {
    await screenshot('web.png');
    await setLanguage('ru');
    await screenshot('web-ru.png');
    return 'docs/web.png, docs/web-ru.png';
});

await check('the guide opens and its contents link', async () => {
    await page.keyboard.press('F1');
    await page.waitForSelector('#guide-body h2[id]');
    const anchors = await page.$$eval('#guide-body a[href^="#"]', (links) =>
        links.map((link) => document.getElementById(decodeURIComponent(link.getAttribute('href').slice(1))) !== null));
    expect(anchors.length >= 9 && anchors.every(Boolean), `contents links found: ${anchors}`);
    await page.click('#guide-body .open-program');
    await page.waitForFunction(() => document.getElementById('file-name').textContent === 'guide.asm');
    await runToEnd();
    const screen = await screenLines();
    expect(screen.includes('Hi'), `screen ${JSON.stringify(screen)}`);
    return `${anchors.length} links`;
});

await check('the page opens offline', async () => {
    await page.evaluate(() => navigator.serviceWorker.ready);
    server.closeAllConnections();
    await new Promise((done) => server.close(done));
    await page.reload({ waitUntil: 'load' });
    const offlineMs = await waitReady();
    await openExample('hello');
    await runToEnd();
    const screen = await screenLines();
    expect(screen.includes('Hello, world!'), `screen ${JSON.stringify(screen)}`);
    return `interactive ${offlineMs.toFixed(0)} ms after a reload from the kept files`;
});

report(scriptErrors.length === 0, 'no script errors', scriptErrors.join(' | ').slice(0, 600));
console.log(`time to interactive: ${readyMs.toFixed(0)} ms`);
await browser.close();
if (server.listening) server.close();
process.exit(failures === 0 ? 0 : 1);
