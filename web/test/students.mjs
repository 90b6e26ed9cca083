// The faults students met in the page (issue 26), each checked through the page's own keys,
// clicks and file dialog in Chromium: a wrong number typed for CALL 4182H, code files the loader
// refuses or that hold HLT, a program longer than RAM, a full browser storage, the language
// switched during a run, the decoding during slow runs, and the texts (plural forms, a run-time
// error in the status line, the file name of a new program, the editor's accessible name, the
// status line as a live region). Run from page.mjs.
import { settledChecks, expect, sleep, testFile, user as userOf, watchDownloads } from './harness.mjs';

// What q42cli run examples/sum.asm prints with the lines 12x, abc, 99999, 5 and 7 (Russian).
const kRetry = 'Ошибка! Повторите ввод!';
const kSumTranscript = [
    '***  Учебный компьютер "Q42" с ассемблером', '', '12x', kRetry, 'abc', kRetry, '99999', kRetry,
    '5', '7', '12', '', 'Задача завершена',
];

// The same bytes every time: a small generator of "random" bytes with a fixed seed.
function randomBytes(seed, count) {
    let a = seed;
    const bytes = Buffer.alloc(count);
    for (let i = 0; i < count; ++i) {
        a = a + 0x6D2B79F5 | 0;
        let t = Math.imul(a ^ a >>> 15, 1 | a);
        t = t + Math.imul(t ^ t >>> 7, 61 | t) ^ t;
        bytes[i] = ((t ^ t >>> 14) >>> 0) % 256;
    }
    return bytes;
}

export async function studentChecks({ browser, page, url, user }) {
    const check = settledChecks(user);
    const { waitForMode, screenLines, openExample, setLanguage, runStatus, asmStatus, fileName, typeProgram, press } = user;
    const downloads = await watchDownloads(page);

    await check('a wrong number typed for CALL 4182H is echoed with the retry message, as q42cli shows it', async () => {
        await setLanguage('ru');
        await openExample('sum');
        await page.click('#run');
        expect(await waitForMode(['line']) === 'line', 'no wait for a line');
        const shown = [];
        for (const wrong of ['12x', 'abc', '99999']) {
            const now = await user.answerLine(wrong);
            expect(now === 'line', `after ${wrong} the page is in mode ${now}`);
            const screen = await screenLines();
            shown.push(screen);
            expect(JSON.stringify(screen.slice(-3)) === JSON.stringify([wrong, kRetry, '']),
                `after ${wrong} the screen is ${JSON.stringify(screen)}`);
            const field = await page.$eval('#line-input', (input) => ({
                visible: input.checkVisibility(), value: input.value, focused: document.activeElement === input,
            }));
            expect(field.visible && field.value === '' && field.focused, `the line field ${JSON.stringify(field)}`);
        }
        // The first refused line is still there after the second.
        expect(shown[1].includes('12x'), `after abc: ${JSON.stringify(shown[1])}`);
        expect(await user.answerLine('5') === 'line', 'no wait for the second number');
        expect(await user.answerLine('7') === 'idle', 'the run did not end');
        const screen = await screenLines();
        const expected = kSumTranscript.slice(-screen.length);
        expect(JSON.stringify(screen) === JSON.stringify(expected),
            `the screen ${JSON.stringify(screen)}, q42cli ${JSON.stringify(expected)}`);
        return JSON.stringify(screen.slice(-6));
    });

    await check('a code file of random bytes is refused with the loader\'s own message', async () => {
        await setLanguage('en');
        await openExample('hello');
        const before = await user.editorLines();
        const name = await fileName();
        await user.openFile(testFile('noise.cod', randomBytes(2, 512)));
        await page.waitForFunction(() => document.getElementById('run-status').textContent.includes('noise.cod'));
        const status = await runStatus();
        expect(status.includes('was not opened') && status.includes('incorrect code length'), `status ${status}`);
        expect(await page.$eval('#run-status', (s) => s.classList.contains('attention')), 'the refusal is not marked');
        expect(JSON.stringify(await user.editorLines()) === JSON.stringify(before), 'the editor\'s text changed');
        expect(await fileName() === name, `the file name became ${await fileName()}`);
        // Bytes in which the loader finds no word at all are refused too.
        await user.openFile(testFile('empty.cod', Buffer.from('no words here\r\n.\r\n')));
        await page.waitForFunction(() => document.getElementById('run-status').textContent.includes('empty.cod'));
        const empty = await runStatus();
        expect(empty.includes('was not opened') && empty.includes('no word'), `status ${empty}`);
        // More words than RAM holds: how many.
        await user.openFile(testFile('long.cod', '0000\r\n'.repeat(130)));
        await page.waitForFunction(() => document.getElementById('run-status').textContent.includes('long.cod'));
        const long = await runStatus();
        expect(long.includes('was not opened') && long.includes('130 words; RAM holds 128'), `status ${long}`);
        return status;
    });

    await check('a code file with HLT opens and runs without "No HLT command!"', async () => {
        await user.openFile(testFile('five.cod', '2150\r\nAF18\r\n.\r\n'));
        await page.waitForFunction(() => document.getElementById('file-name').textContent === 'five.asm');
        const lines = await user.editorLines();
        expect(lines.slice(1).join('|') === '        DW 02150H|        DW 0AF18H|', `the editor ${JSON.stringify(lines)}`);
        expect(await user.runToEnd() === 'idle', 'the run did not end');
        expect(await user.register('R0') === '0005', `R0 ${await user.register('R0')}`);
        const warnings = await page.$$eval('#asm-status .warning', (w) => w.map((e) => e.textContent));
        expect(warnings.length === 0, `warnings ${JSON.stringify(warnings)}`);
        // Once the student writes a program of their own, the warning is theirs again.
        await typeProgram('        MOV #1,R0\n');
        await page.click('#assemble');
        const own = await page.$$eval('#asm-status .warning', (w) => w.map((e) => e.textContent));
        expect(own.some((w) => w.includes('No HLT')), `warnings for a new program ${JSON.stringify(own)}`);
        return `${await asmStatus()}`;
    });

    await check('a program longer than RAM says how many words it has', async () => {
        await setLanguage('en');
        await typeProgram(`        DS ${'x'.repeat(300)}\n        HLT\n`);
        await page.click('#assemble');
        const english = await asmStatus();
        expect(english.includes('The program has 151 words; RAM holds 128.'), `status ${english}`);
        const marked = await page.$eval('.cm-error-line', (line) => line.textContent).catch(() => null);
        expect(marked?.startsWith('        DS xxx'), `the marked line ${JSON.stringify(marked)}`);
        await setLanguage('ru');
        const russian = await asmStatus();
        expect(russian.includes('В программе 151 слово, а в ОЗУ помещается 128.'), `status ${russian}`);
        await page.click('#run');
        expect(await user.mode() === 'idle', 'the run started');
        return `${english} / ${russian}`;
    });

    await check('a full browser storage is told once, with Save .asm, and the text stays', async () => {
        const full = await browser.newPage();
        try {
            return await fullStorage(full, url);
        } finally {
            await full.close();
            await page.bringToFront();
        }
    });

    await check('switching the language keeps a waiting input and a paused run', async () => {
        await setLanguage('ru');
        await openExample('sum');
        await page.click('#run');
        await waitForMode(['line']);
        expect(await user.answerLine('12') === 'line', 'no wait for the second number');
        await setLanguage('en');
        expect(await user.mode() === 'line', `the page is in mode ${await user.mode()}`);
        const waiting = await screenLines();
        expect(waiting[0].includes('Учебный компьютер') && waiting.includes('12'), `the screen ${JSON.stringify(waiting)}`);
        const status = await runStatus();
        expect(status === 'Waiting for a line to be typed.', `status ${status}`);
        expect(await user.answerLine('-30') === 'idle', 'the run did not end');
        const screen = await screenLines();
        expect(screen.at(-1) === 'Task completed' && screen.includes('-18'), `the screen ${JSON.stringify(screen)}`);

        await openExample('countdown');
        await user.focusEditor();
        for (let i = 0; i < 3; ++i) await page.keyboard.press('F7');
        await waitForMode(['paused']);
        const registers = await user.registerValues();
        await setLanguage('ru');
        expect(await user.mode() === 'paused', `the page is in mode ${await user.mode()}`);
        expect(await user.registerValues() === registers, 'the registers changed');
        expect(await user.runLineText() !== null, 'the run line went');
        const log = await page.$eval('#log-detail', (detail) => detail.textContent);
        await page.keyboard.press('F6');
        expect(await waitForMode(['idle']) === 'idle', 'the run did not go on to its end');
        const end = await screenLines();
        expect(end.at(-1) === 'Задача завершена', `the screen ${JSON.stringify(end)}`);
        return `${status} → ${end.at(-1)}; log: ${log.slice(0, 40)}`;
    });

    await check('the decoding follows PC during a slow run', async () => {
        await setLanguage('en');
        await openExample('countdown');
        await page.click('#decode-pc');  // the decoding follows PC again after a word was picked
        await page.select('#speed', '10');
        await page.click('#run');
        const seen = new Set();
        for (let i = 0; i < 12; ++i) {
            await sleep(130);
            const now = await page.evaluate(() => ({
                pc: document.querySelector('[data-register="PC"]').textContent,
                decoded: document.querySelector('#decode-output dd')?.textContent,
            }));
            seen.add(now.pc);
            if (now.decoded !== now.pc) {
                await user.endRun();
                await page.select('#speed', '0');
                throw new Error(`PC ${now.pc}, the decoding shows ${now.decoded}`);
            }
        }
        await user.endRun();
        await page.select('#speed', '0');
        expect(seen.size >= 3, `PC took only ${[...seen]}`);
        return `PC ${[...seen].join(' ')}`;
    });

    await check('texts: plural forms', async () => {
        const speeds = () => page.$$eval('#speed option', (options) => options.map((o) => o.textContent));
        await setLanguage('en');
        const english = await speeds();
        expect(english.slice(0, 3).join('|') === '1 step/s|2 steps/s|5 steps/s', `speeds ${english}`);
        const words = {};
        for (const n of [1, 2, 5, 11, 21]) {
            await typeProgram('        HLT\n'.repeat(n));
            await setLanguage('en');
            await page.click('#assemble');
            words[n] = [await asmStatus()];
            await setLanguage('ru');
            words[n].push(await asmStatus());
        }
        const expected = {
            1: ['1 word of code', 'В ОЗУ 1 слово кода'], 2: ['2 words of code', 'В ОЗУ 2 слова кода'],
            5: ['5 words of code', 'В ОЗУ 5 слов кода'], 11: ['11 words of code', 'В ОЗУ 11 слов кода'],
            21: ['21 words of code', 'В ОЗУ 21 слово кода'],
        };
        for (const n of Object.keys(expected)) {
            expect(words[n][0].includes(expected[n][0]) && words[n][1].includes(expected[n][1]),
                `${n} words: ${JSON.stringify(words[n])}`);
        }
        const russian = await speeds();
        expect(russian.slice(0, 5).join('|') === '1 шаг/с|2 шага/с|5 шагов/с|10 шагов/с|25 шагов/с', `speeds ${russian}`);
        await typeProgram('        HLT\n');
        expect(await user.runToEnd() === 'idle', 'the run did not end');
        const ended = await runStatus();
        expect(ended === 'Программа завершена за 1 шаг.', `status ${ended}`);
        await setLanguage('en');
        expect(await runStatus() === 'The program ended after 1 step.', `status ${await runStatus()}`);
        return `${english[0]}, ${russian[1]}, ${words[21][1]}`;
    });

    await check('texts: a run that ends with a run-time error says so in the status line', async () => {
        await setLanguage('en');
        await typeProgram('        MOV #1,R0\n        DIV #0,R0\n        HLT\n');
        expect(await user.runToEnd() === 'idle', 'the run did not end');
        const screen = await screenLines();
        const error = screen[screen.indexOf('## PROGRAM STOPPED BY AN ERROR:') + 1]?.trim();
        const status = await runStatus();
        expect(error && status.includes('error') && status.includes(error), `status ${status}, screen ${JSON.stringify(screen)}`);
        return status;
    });

    await check('texts: a new program drops the file name, and Save asks for one', async () => {
        await setLanguage('en');
        await user.openFile(testFile('mine.asm', '        MOV #1,R0\r\n        HLT\r\n'));
        await page.waitForFunction(() => document.getElementById('file-name').textContent === 'mine.asm');
        // Ctrl+S saves to the file's name at once.
        await user.focusEditor();
        await press('Control+s');
        for (let i = 0; i < 50 && !downloads.includes('mine.asm'); ++i) await sleep(100);
        expect(downloads.includes('mine.asm'), `downloads ${JSON.stringify(downloads)}`);
        // The whole text replaced: a new program of no file.
        await typeProgram('        HLT\n');
        expect(await fileName() === 'Untitled', `the file name ${await fileName()}`);
        await page.click('#save-asm');
        await page.waitForSelector('#save-dialog[open]');
        await press('Control+a');
        await page.keyboard.type('second');
        await page.keyboard.press('Enter');
        await page.waitForFunction(() => document.getElementById('file-name').textContent === 'second.asm');
        for (let i = 0; i < 50 && !downloads.includes('second.asm'); ++i) await sleep(100);
        expect(downloads.includes('second.asm'), `downloads ${JSON.stringify(downloads)}`);
        // An example is a new program too; so is a text cleared.
        await openExample('hello');
        expect(await fileName() === 'Untitled', `after an example: ${await fileName()}`);
        await user.focusEditor();
        await press('Control+s');
        await page.waitForSelector('#save-dialog[open]');
        await page.keyboard.press('Escape');
        await page.waitForSelector('#save-dialog:not([open])');
        await user.openFile(testFile('mine.asm', '        HLT\r\n'));
        await page.waitForFunction(() => document.getElementById('file-name').textContent === 'mine.asm');
        await typeProgram('');
        expect(await fileName() === 'Untitled', `after clearing: ${await fileName()}`);
        await setLanguage('ru');
        expect(await fileName() === 'Без имени', `in Russian: ${await fileName()}`);
        return JSON.stringify(downloads);
    });

    await check('texts: the editor\'s accessible name follows the language; the status lines are live regions', async () => {
        const label = () => page.$eval('.cm-content', (content) => content.getAttribute('aria-label'));
        await setLanguage('ru');
        const russian = await label();
        await setLanguage('en');
        const english = await label();
        expect(russian === 'Текст программы на ассемблере' && english === 'Assembler text of the program',
            `labels ${russian} / ${english}`);
        for (const id of ['run-status', 'asm-status']) {
            const live = await page.$eval(`#${id}`, (e) => `${e.getAttribute('role')} ${e.getAttribute('aria-live')}`);
            expect(live === 'status polite', `#${id}: ${live}`);
        }
        return `${russian} / ${english}`;
    });
}

// The storage test in a page of its own, where every write to the storage fails as a full one does.
async function fullStorage(full, url) {
    const errors = [];
    full.on('pageerror', (error) => errors.push(String(error)));
    await full.setViewport({ width: 1440, height: 900 });
    await full.evaluateOnNewDocument(() => {
        Storage.prototype.setItem = function () {
            throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
        };
    });
    const fullDownloads = await watchDownloads(full);
    await full.bringToFront();
    const u = userOf(full);
    await full.goto(url, { waitUntil: 'load' });
    await u.waitReady();
    const note = () => full.$eval('#storage-note', (element) => element.checkVisibility());
    await u.typeProgram('        MOV #7,R0\n');
    expect(await note(), 'no word of the full storage');
    const text = await full.$eval('#storage-note', (element) => element.textContent);
    // Save .asm from the note: the text of no file asks for a name.
    await full.click('#storage-save');
    await full.waitForSelector('#save-dialog[open]');
    await u.press('Control+a');
    await full.keyboard.type('kept');
    await full.keyboard.press('Enter');
    await full.waitForFunction(() => document.getElementById('file-name').textContent === 'kept.asm');
    for (let i = 0; i < 50 && fullDownloads.length === 0; ++i) await sleep(100);
    expect(JSON.stringify(fullDownloads) === '["kept.asm"]', `downloads ${JSON.stringify(fullDownloads)}`);
    expect(!await note(), 'the note stays after the text was saved');
    // Told once: more edits that are not kept say nothing more, and the text stays.
    await u.focusEditor();
    await u.press('Control+End');
    await full.keyboard.type('HLT');  // Enter kept the blanks of the line before
    expect(!await note(), 'told twice');
    const lines = await u.editorLines();
    expect(lines.join('|').startsWith('        MOV #7,R0|        HLT'), `the editor ${JSON.stringify(lines)}`);
    expect(errors.length === 0, errors.join(' | '));
    return text.trim().slice(0, 80) + '…';
}
