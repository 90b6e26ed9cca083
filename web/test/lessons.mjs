// The lessons in the page's help, through clicks and keys in Chromium: the list, a lesson with
// its buttons, an exercise started (asking first when it would replace the user's unsaved text),
// solved by typing, and checked: every case PASS; a wrong program FAIL with its differences; the
// same in Russian; the worked program opened; the help and the results on a phone-sized screen,
// nothing wider than it. Screenshots of a lesson and of a check result at 1366×768 and 390×844
// go to `folder`. Run from page.mjs.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { root, settledChecks, expect } from './harness.mjs';

const kLesson = '04-arithmetic';
const kExercise = '04-arithmetic-1';
const lessonFile = (...parts) => readFileSync(join(root, ...parts), 'utf8');
const kSolution = lessonFile('examples', 'lessons', 'solutions', `${kExercise}.asm`);
const kStart = lessonFile('examples', 'lessons', `${kExercise}.asm`);
// The solution with the hours divided by 100: wrong for every case but 59.
const kWrong = kSolution.replace('DIV #60,R2', 'DIV #100,R2');

export async function lessonChecks({ page, user }, folder) {
    const check = settledChecks(user);
    const { setLanguage, typeProgram, editorLines } = user;
    const firstLine = (text) => text.split(/\r?\n/)[0];

    // Help › Lessons › the lesson, with the help's own buttons.
    async function openLesson() {
        await page.click('#guide-open');
        await page.click('#guide [data-doc="lessons"]');
        await page.click(`#guide-body .lesson-link[data-lesson="${kLesson}"]`);
        await page.waitForSelector(`#guide-body .start-exercise[data-exercise="${kExercise}"]`);
    }

    // Check pressed in the lesson: the results' rows, summary and title.
    async function checkResults() {
        await page.click(`#guide-body .check-exercise[data-exercise="${kExercise}"]`);
        await page.waitForSelector('#check-dialog[open] #check-summary:not(:empty)');
        return page.$eval('#check-dialog', (dialog) => ({
            title: dialog.querySelector('#check-title').textContent,
            columns: [...dialog.querySelectorAll('thead th')].map((th) => th.textContent),
            rows: [...dialog.querySelectorAll('tbody tr')].map((row) => [...row.cells].map((c) => c.innerText)),
            summary: dialog.querySelector('#check-summary').textContent,
        }));
    }

    async function closeResults() {
        await page.click('#check-close');
        await page.click('#guide-close');
    }

    await check('lessons: an exercise started, solved by typing and checked, then a wrong program', async () => {
        await setLanguage('en');
        await typeProgram('; my own work\n        HLT\n');
        await openLesson();
        const captions = await page.$$eval('#guide-body .open-program, #guide-body .exercise-actions button, #guide [data-doc="lessons"]',
            (buttons) => buttons.map((button) => button.textContent));
        expect(JSON.stringify(captions) === JSON.stringify(
            ['Lessons', 'Open the program', 'Start the exercise', 'Check', 'Start the exercise', 'Check']),
        `buttons ${JSON.stringify(captions)}`);
        // The editor holds unsaved work: the question comes first, and Cancel keeps the work.
        await page.click(`#guide-body .start-exercise[data-exercise="${kExercise}"]`);
        await page.waitForSelector('#replace-dialog[open]');
        await page.click('#replace-dialog button[value=""]');
        expect((await editorLines())[0] === '; my own work', `after Cancel the editor shows ${(await editorLines())[0]}`);
        await page.click(`#guide-body .start-exercise[data-exercise="${kExercise}"]`);
        await page.click('#replace-dialog button[value="replace"]');
        await page.waitForFunction(() => !document.getElementById('guide').open);
        expect((await editorLines())[0] === firstLine(kStart), `the editor starts ${(await editorLines())[0]}`);
        // A text the page put in, untouched since, is replaced without a question.
        await page.keyboard.press('F1');
        await page.click('#guide-body .open-program');
        await page.waitForFunction(() => !document.getElementById('guide').open);
        const asked = await page.$eval('#replace-dialog', (dialog) => dialog.open);
        const program = lessonFile('docs', 'lessons', 'en', `${kLesson}.md`).split('```asm program\n')[1];
        expect(!asked && (await editorLines())[0] === firstLine(program), `asked ${asked}, the editor starts ${(await editorLines())[0]}`);

        await typeProgram(kSolution);
        await page.keyboard.press('F1');  // the help comes back at the lesson
        await page.waitForSelector(`#guide-body .check-exercise[data-exercise="${kExercise}"]`);
        const passed = await checkResults();
        expect(passed.rows.length === 4 && passed.rows.every((row) => row[1] === 'PASS' && row[2] === '') &&
            passed.summary === '4 passed, 0 failed; 4 of 4 points' && passed.columns.join() === 'Case,Result,Differences' &&
            passed.title === 'Exercise check: Hours and minutes / Часы и минуты', `results ${JSON.stringify(passed)}`);
        await closeResults();

        await typeProgram(kWrong);
        await page.keyboard.press('F1');
        const failed = await checkResults();
        const row135 = failed.rows.find((row) => row[0] === '135');
        expect(row135?.[1] === 'FAIL' && row135[2].includes('R2: expected 0002 (2), got 0001 (1)') &&
            failed.summary === '1 passed, 3 failed; 1 of 4 points', `results ${JSON.stringify(failed)}`);
        await closeResults();
        return `${passed.summary}; ${failed.summary}`;
    });

    await check('lessons in Russian: the captions, a check, the worked program opened', async () => {
        await setLanguage('ru');
        await typeProgram(kWrong);
        await openLesson();
        const captions = await page.$$eval('#guide-body .open-program, #guide-body .exercise-actions button, #guide [data-doc="lessons"]',
            (buttons) => buttons.slice(0, 4).map((button) => button.textContent));
        const heading = await page.$eval('#guide-body h1', (h) => h.textContent);
        const pressed = await page.$$eval('#guide [aria-pressed="true"]', (buttons) => buttons.map((b) => b.dataset.doc));
        expect(pressed.join() === 'lessons', `pressed in the help: ${pressed}`);
        expect(JSON.stringify(captions) === JSON.stringify(['Уроки', 'Открыть программу', 'Начать упражнение', 'Проверить']) &&
            heading === '4. Арифметика', `buttons ${JSON.stringify(captions)}, heading ${heading}`);
        const failed = await checkResults();
        expect(failed.columns.join() === 'Вариант,Итог,Расхождения' && failed.summary === 'Пройдено: 1, не пройдено: 3; баллы: 1 из 4' &&
            failed.rows[0][2].includes('R2: ожидалось 0002 (2), получено 0001 (1)'), `results ${JSON.stringify(failed)}`);
        await page.click('#check-close');
        // The list in Russian, and back to the lesson.
        await page.click('#guide-body .lessons-back');
        const titles = await page.$$eval('#guide-body .lesson-link', (links) => links.map((link) => link.textContent));
        expect(titles.length === 14 && titles[3] === '4. Арифметика', `lessons ${JSON.stringify(titles)}`);
        await page.click(`#guide-body .lesson-link[data-lesson="${kLesson}"]`);
        await page.waitForSelector('#guide-body .open-program');
        await page.click('#guide-body .open-program');
        await page.click('#replace-dialog button[value="replace"]');
        await page.waitForFunction(() => !document.getElementById('guide').open);
        const program = lessonFile('docs', 'lessons', 'ru', `${kLesson}.md`).split('```asm program\n')[1];
        expect((await editorLines())[0] === firstLine(program), `the editor starts ${(await editorLines())[0]}`);
        return titles[3];
    });

    await check('lessons on a phone: every button in reach, nothing wider than the screen; screenshots', async () => {
        const shots = [];
        for (const [width, height] of [[1366, 768], [390, 844]]) {
            await page.setViewport({ width, height });
            await setLanguage(width < 400 ? 'ru' : 'en');
            await typeProgram(kWrong);
            await openLesson();
            await page.$eval(`#guide-body .start-exercise[data-exercise="${kExercise}"]`, (button) =>
                button.closest('.exercise-actions').previousElementSibling.scrollIntoView());
            const help = await page.evaluate(() => {
                const buttons = [...document.querySelectorAll('#guide .guide-head button, #guide-body .exercise-actions button, #guide-body .open-program')];
                const body = document.getElementById('guide-body');
                return {
                    right: Math.max(...buttons.map((button) => button.getBoundingClientRect().right)),
                    left: Math.min(...buttons.map((button) => button.getBoundingClientRect().left)),
                    wide: body.scrollWidth - body.clientWidth,
                };
            });
            await page.screenshot({ path: join(folder, `lesson-${width}.png`) });
            await checkResults();
            const results = await page.evaluate(() => {
                const dialog = document.getElementById('check-dialog').getBoundingClientRect();
                const holder = document.querySelector('.check-table-holder');
                const close = document.getElementById('check-close').getBoundingClientRect();
                return { right: Math.max(dialog.right, close.right), bottom: close.bottom, wide: holder.scrollWidth - holder.clientWidth };
            });
            await page.screenshot({ path: join(folder, `check-${width}.png`) });
            await closeResults();
            expect(help.left >= 0 && help.right <= width && help.wide <= 0,
                `at ${width} px the help's buttons span ${help.left}..${help.right}, its text ${help.wide} px too wide`);
            expect(results.right <= width && results.bottom <= height && results.wide <= 0,
                `at ${width}×${height} the results end at ${results.right}, Close at ${results.bottom}, the table ${results.wide} px too wide`);
            shots.push(`${width}: help to ${help.right.toFixed(0)} px, results to ${results.right.toFixed(0)} px`);
        }
        await page.setViewport({ width: 1440, height: 900 });
        return shots.join('; ');
    });
}
