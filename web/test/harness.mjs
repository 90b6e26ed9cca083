// What the page tests share: the site served over HTTP by a small server, headless Chromium
// through puppeteer-core, the checks and their report, and what a user does and sees on the page,
// done through the page's own controls (menus, buttons, keys, the file dialog).
import http from 'node:http';
import { readFileSync, existsSync, statSync, mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, extname, resolve, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

export const root = resolve(dirname(fileURLToPath(import.meta.url)), '..', '..');
export const examplesDir = join(root, 'examples');
export const kScreenLines = 10;

// The site over HTTP, as any static server would give it.
const types = {
    '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
    '.css': 'text/css; charset=utf-8', '.wasm': 'application/wasm', '.json': 'application/json',
    '.md': 'text/markdown; charset=utf-8', '.asm': 'text/plain; charset=utf-8',
    '.webmanifest': 'application/manifest+json', '.png': 'image/png', '.svg': 'image/svg+xml',
};
export async function serveSite(site) {
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
    return { server, url: `http://127.0.0.1:${server.address().port}/` };
}

export async function launchBrowser(chromium) {
    return puppeteer.launch({
        executablePath: chromium,
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--lang=en-US'],
    });
}

// The checks: each is named, passes or fails with a detail, and a failure does not stop the rest.
let failures = 0;
export function report(ok, name, detail = '') {
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${detail ? ': ' + detail : ''}`);
    if (!ok) failures++;
}
export async function check(name, body) {
    try {
        const detail = await body();
        report(true, name, detail);
    } catch (error) {
        report(false, name, String(error?.message ?? error).slice(0, 600));
    }
}
// Checks that each begin with the page settled (see user().settle), whatever the one before left.
export function settledChecks(user) {
    return (name, body) => check(name, async () => {
        await user.settle();
        return body();
    });
}
export function expect(condition, message) {
    if (!condition) throw new Error(message);
}
export function failureCount() {
    return failures;
}
export const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

// A folder for the files a test opens through the page's file dialog.
const filesDir = mkdtempSync(join(tmpdir(), 'q42-page-'));
export function testFile(name, contents) {
    const path = join(filesDir, name);
    writeFileSync(path, contents);
    return path;
}

// What a user does and sees on `page`.
export function user(page) {
    const mode = () => page.evaluate(() => document.body.dataset.run);
    const u = {
        page,
        mode,
        async waitForMode(modes, timeout = 20000) {
            await page.waitForFunction((list) => list.includes(document.body.dataset.run), { timeout }, modes);
            return mode();
        },
        screenLines: () => page.$$eval('#screen .screen-line:not([hidden])', (rows) => rows.map((row) => row.textContent.trimEnd())),
        registerValues: () => page.$$eval('[data-register], [data-flag]', (fields) =>
            fields.map((field) => `${field.dataset.register ?? field.dataset.flag}=${field.dataset.register ? field.textContent : field.querySelector('.flag-value').textContent}`).join(' ')),
        register: (name) => page.$eval(`[data-register="${name}"]`, (field) => field.textContent),
        runLineText: () => page.$eval('.cm-run-line', (line) => line.textContent).catch(() => null),
        runStatus: () => page.$eval('#run-status', (status) => status.textContent),
        asmStatus: () => page.$eval('#asm-status', (status) => status.textContent),
        fileName: () => page.$eval('#file-name', (title) => title.textContent),
        // The editor's lines as it shows them (every line of a short text).
        editorLines: () => page.$$eval('.cm-content .cm-line', (lines) => lines.map((line) => line.textContent)),
        async waitReady() {
            await page.waitForFunction(() => performance.getEntriesByName('q42-ready').length > 0 &&
                document.querySelectorAll('#examples option').length > 1, { timeout: 30000 });
            return page.evaluate(() => performance.getEntriesByName('q42-ready')[0].startTime);
        },
        // An example is a program of no file: the editor's first line and the status line tell
        // that it came.
        async openExample(name) {
            const first = readFileSync(join(examplesDir, `${name}.asm`), 'utf8').split(/\r?\n/)[0];
            await page.select('#examples', name);
            await page.waitForFunction((line, example) =>
                document.querySelector('.cm-content .cm-line')?.textContent === line &&
                document.getElementById('run-status').textContent.includes(example), {}, first, name);
        },
        async setLanguage(code) {
            await page.click(`.language button[data-language="${code}"]`);
            await page.waitForFunction((lang) => document.documentElement.lang === lang, {}, code);
        },
        // Opens a file through the Open button and the browser's file dialog.
        async openFile(path) {
            const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#open')]);
            await chooser.accept([path]);
        },
        async press(keys) {
            const parts = keys.split('+');
            const key = parts.pop();
            for (const modifier of parts) await page.keyboard.down(modifier);
            await page.keyboard.press(key);
            for (const modifier of parts.reverse()) await page.keyboard.up(modifier);
        },
        // A click into the editor's text where it shows, near its top left corner: the middle of
        // a long text may be out of sight.
        async focusEditor() {
            const at = await page.$eval('.cm-scroller', (scroller) => {
                const box = scroller.getBoundingClientRect();
                return { x: scroller.querySelector('.cm-gutters').getBoundingClientRect().right + 12, y: box.top + 8 };
            });
            await page.mouse.click(at.x, at.y);
        },
        // A click in the breakpoint gutter beside source line `line`, which must be in sight.
        async toggleBreakpoint(line) {
            const at = await page.$$eval('.cm-lineNumbers .cm-gutterElement', (elements, number) => {
                const box = elements.find((e) => e.textContent === String(number)).getBoundingClientRect();
                const gutter = document.querySelector('.cm-breakpoint-gutter').getBoundingClientRect();
                return { x: gutter.left + gutter.width / 2, y: box.top + box.height / 2 };
            }, line);
            await page.mouse.click(at.x, at.y);
        },
        // Replaces the editor's whole text by typing: select all, then type (or delete).
        async typeProgram(text) {
            await u.focusEditor();
            await u.press('Control+a');
            if (text === '') await page.keyboard.press('Delete');
            else await page.keyboard.type(text);
        },
        // Runs the program in the editor with the Run button to its end, answering each wait: the
        // next line for a line wait, the next key for a key wait.
        async runToEnd(input = { lines: [], keys: [] }) {
            await page.click('#run');
            for (let guard = 0; guard < 200; ++guard) {
                const now = await u.waitForMode(['idle', 'paused', 'line', 'key']);
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
        },
        // Ends whatever run there is (a check that failed may leave one going).
        async endRun() {
            if (['running', 'paused', 'line', 'key'].includes(await mode())) await page.click('#stop');
            await u.waitForMode(['idle']);
        },
        // The page as a check begins: no dialog open, no run going.
        async settle() {
            await page.evaluate(() => {
                for (const dialog of document.querySelectorAll('dialog[open]')) dialog.close();
            });
            await u.endRun();
        },
        // Types a line into the line field and sends it with Enter; waits for the run's next mode.
        async answerLine(text) {
            await page.type('#line-input', text);
            await page.keyboard.press('Enter');
            return u.waitForMode(['idle', 'paused', 'line', 'key']);
        },
    };
    return u;
}

// The names of the files the page downloads (saves), in order.
export async function watchDownloads(page) {
    const names = [];
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: filesDir, eventsEnabled: true });
    session.on('Browser.downloadWillBegin', (event) => names.push(event.suggestedFilename));
    return names;
}

export function inputOf(stem) {
    const file = join(examplesDir, `${stem}.in`);
    const text = existsSync(file) ? readFileSync(file, 'utf8') : '';
    return {
        lines: text.split('\n').filter((line, i, all) => i < all.length - 1 || line !== ''),
        keys: [...text.replace(/\n/g, '\r')],
    };
}
