// The page in a real browser: headless Chromium driven through puppeteer-core, against the site
// served by a small server started here. Everything is done through the page's own controls:
// the examples menu, the buttons, the editor's gutter, the screen's keyboard and the line field.
//   node web/test/page.mjs build-web/site
// Checks: every example runs to its transcript (examples/NAME.out, input from NAME.in), a
// breakpoint set in the gutter pauses there, a step back restores the registers, keys typed
// into the screen reach the program once each, slow and fast runs and Stop, the language
// switch, the guide, the faults students met (students.mjs), the editor's keys
// (editor_keys.mjs), the pauses between an input routine and the instruction after it
// (input_pause.mjs), the lessons with their exercises checked (lessons.mjs), the page on a
// phone, tablets and a laptop and its installability (devices.mjs), the keyboard's reach and the
// contrast (keyboard.mjs), programs shared as links (share.mjs), the page offline, the editor
// colouring the operations the core names. It
// saves its screenshots of a run in both languages in build-web/screenshots/ (scripts/screenshots.sh
// makes the ones in docs/) and prints how long the page took to become ready.
import { mkdirSync, readFileSync, readdirSync } from 'node:fs';
import { join, resolve } from 'node:path';
import {
    root, examplesDir, kScreenLines, serveSite, launchBrowser, report, check, expect, failureCount,
    user, inputOf,
} from './harness.mjs';
import { studentChecks } from './students.mjs';
import { editorKeyChecks } from './editor_keys.mjs';
import { inputPauseChecks } from './input_pause.mjs';
import { lessonChecks } from './lessons.mjs';
import { deviceChecks } from './devices.mjs';
import { keyboardChecks } from './keyboard.mjs';
import { shareChecks } from './share.mjs';
import { shootRuns, shootSizes } from './screenshots.mjs';

const site = resolve(process.argv[2] ?? 'build-web/site');
const chromium = process.env.CHROMIUM ?? '/usr/bin/chromium';
const { server, url } = await serveSite(site);
const browser = await launchBrowser(chromium);
const page = await browser.newPage();
await page.setViewport({ width: 1440, height: 900 });
const scriptErrors = [];
page.on('pageerror', (error) => scriptErrors.push(String(error)));
page.on('console', (message) => {
    if (message.type() === 'error') scriptErrors.push(message.text());
});
const u = user(page);
const { mode, waitForMode, screenLines, registerValues, runLineText, waitReady, openExample, setLanguage, runToEnd } = u;

// The checks

let readyMs = 0;
await check('page ready', async () => {
    await page.goto(url, { waitUntil: 'load' });
    readyMs = await waitReady();
    return `interactive ${readyMs.toFixed(0)} ms after navigation start`;
});

await setLanguage('ru');  // the transcripts are the Russian texts of the machine

await check('the editor colours the operations the core names', async () => {
    await openExample('hello');
    // The operation colour: deep blue, bold.
    const coloured = await page.$$eval('.cm-content .cm-line span', (spans) => spans
        .filter((span) => getComputedStyle(span).color === 'rgb(31, 78, 156)' && getComputedStyle(span).fontWeight === '700')
        .map((span) => span.textContent.trim()));
    const expected = ['MOV', 'CALL', 'ADD', 'SUB', 'BNE', 'HLT', 'DS'];
    expect(expected.every((name) => coloured.includes(name)) && !coloured.includes('NEXT'),
        `coloured as operations: ${JSON.stringify(coloured)}`);
});

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
    await u.focusEditor();
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

await check('the log tells a step by the names written, and a pause in a ROM routine names it', async () => {
    await setLanguage('en');
    await openExample('stars');
    await u.focusEditor();
    for (let i = 0; i < 6; ++i) await page.keyboard.press('F7');  // MOV, CALL, PUSH, PUSH, MOV, CALL #PUTC
    await waitForMode(['paused']);
    const row = await page.$eval('#log-space .log-row.current', (r) => [...r.children].map((cell) => cell.textContent));
    expect(row[4] === 'CALL #PUTC: push 001C, go to PUTC (4000)', `the current row ${JSON.stringify(row)}`);
    const status = await u.runStatus();
    expect(status.endsWith('Inside the ROM routine PUTC: Shift+F8 returns to your program.'), `status ${status}`);
    await setLanguage('ru');
    const russian = await u.runStatus();
    expect(russian.endsWith('Внутри подпрограммы ПЗУ PUTC: Shift+F8 возвращает в вашу программу.'), `status ${russian}`);
    await u.focusEditor();
    await u.press('Shift+F8');
    await waitForMode(['paused']);
    const back = await u.runStatus();
    expect(!back.includes('ПЗУ') && (await runLineText())?.includes('SUB #1,R1'), `after Shift+F8: ${back}`);
    await page.click('#stop');
    await waitForMode(['idle']);
    return `${row[4]} · ${status}`;
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
    await u.focusEditor();
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

await check('screenshots', async () => {
    const folder = join(root, 'build-web', 'screenshots');
    mkdirSync(folder, { recursive: true });
    await shootRuns(u, page, folder);
    await shootSizes(browser, url, folder);
    return folder;
});

await check('the guide opens and its contents link', async () => {
    await page.keyboard.press('F1');
    await page.waitForSelector('#guide-body h2[id]');
    const anchors = await page.$$eval('#guide-body a[href^="#"]', (links) =>
        links.map((link) => document.getElementById(decodeURIComponent(link.getAttribute('href').slice(1))) !== null));
    expect(anchors.length >= 9 && anchors.every(Boolean), `contents links found: ${anchors}`);
    await page.click('#guide-body .open-program');
    await page.waitForFunction(() => /руководства|the guide/.test(document.getElementById('run-status').textContent));
    await runToEnd();
    const screen = await screenLines();
    expect(screen.includes('Hi'), `screen ${JSON.stringify(screen)}`);
    return `${anchors.length} links`;
});

await check('the help shows the reference card and the common mistakes; the card prints alone on one sheet', async () => {
    await page.keyboard.press('F1');
    await page.click('#guide [data-doc="mistakes"]');
    await page.waitForFunction(() => /common mistakes|частые ошибки/.test(document.getElementById('guide-body').textContent));
    await page.click('#guide [data-doc="card"]');
    await page.waitForFunction(() => /MOV (op1|оп1),/.test(document.getElementById('guide-body').textContent));
    await page.emulateMediaType('print');
    const main = await page.$eval('main', (element) => getComputedStyle(element).display);
    // Nothing of the card is cut off: the whole of it is laid out, the ports at the end included.
    const whole = await page.$eval('#guide-body', (body) =>
        body.scrollHeight <= body.clientHeight + 1 &&
        body.getBoundingClientRect().bottom <= document.getElementById('guide').getBoundingClientRect().bottom + 1);
    const pdf = Buffer.from(await page.pdf({ preferCSSPageSize: true }));
    await page.emulateMediaType(null);
    const sheets = (pdf.toString('latin1').match(/\/Type\s*\/Page[^s]/g) ?? []).length;
    // On a phone the help's buttons wrap, and every one of them, Close too, stays in sight.
    await page.setViewport({ width: 390, height: 844 });
    const closeRight = await page.$$eval('.guide-head button', (buttons) =>
        Math.max(...buttons.map((button) => button.getBoundingClientRect().right)));
    await page.setViewport({ width: 1440, height: 900 });
    expect(closeRight <= 390, `the help's buttons end at ${closeRight} px on a 390 px screen`);
    await page.click('#guide-close');
    expect(main === 'none' && whole && sheets === 1, `printed: the page's main part ${main}, whole ${whole}, ${sheets} sheets`);
    return `${sheets} sheet`;
});

await studentChecks({ browser, page, url, user: u });
await editorKeyChecks({ page, user: u });
await inputPauseChecks({ page, user: u });
const shots = join(root, 'build-web', 'screenshots');
mkdirSync(shots, { recursive: true });
await lessonChecks({ page, user: u }, shots);
await keyboardChecks({ page, user: u });
await deviceChecks({ browser, url });
await shareChecks({ browser, page, url, user: u });

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
    // The lessons, their exercises and their check files are kept too.
    await page.click('#guide-open');
    await page.click('#guide [data-doc="lessons"]');
    await page.click('#guide-body .lesson-link[data-lesson="14-project"]');
    await (await page.waitForSelector('#guide-body .check-exercise[data-exercise="14-project-2"]')).click();
    const summary = await page.waitForSelector('#check-dialog[open] #check-summary:not(:empty)')
        .then((element) => element.evaluate((p) => p.textContent));
    await page.click('#check-close');
    await page.click('#guide-close');
    expect(/\d/.test(summary), `the check offline says ${summary}`);
    return `interactive ${offlineMs.toFixed(0)} ms after a reload from the kept files`;
});

report(scriptErrors.length === 0, 'no script errors', scriptErrors.join(' | ').slice(0, 600));
console.log(`time to interactive: ${readyMs.toFixed(0)} ms`);
await browser.close();
if (server.listening) server.close();
process.exit(failureCount() === 0 ? 0 : 1);
