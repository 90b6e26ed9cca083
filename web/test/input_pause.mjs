// A pause between a ROM input routine and the instruction it returns to, in Chromium through the
// page's gutter, buttons, keys and line field: a breakpoint on the instruction after
// CALL #READINT or CALL #READBOOL, Step over such a CALL and Step out of the routine each pause
// once the input is read into R1 and before that instruction runs; the execution log shows the
// input and the instruction as two rows of the same step, and a click on the input row takes
// the machine back to just after the input. Run from page.mjs.
import { settledChecks, expect } from './harness.mjs';

// examples/sum.asm: CALL #READINT on lines 10 and 12, MOV R1,R3 on 11, ADD R1,R3 on 13.
// examples/question.asm: CALL #READBOOL on line 13, CMP #1,R1 on 14.
const kNumberRead = 'a number read into R1';

// A number as the register fields show it.
const hex = (n) => (n & 0xFFFF).toString(16).toUpperCase().padStart(4, '0');

export async function inputPauseChecks({ page, user }) {
    const check = settledChecks(user);
    const { waitForMode, openExample, setLanguage, runLineText, register, press } = user;
    const next = () => waitForMode(['idle', 'paused', 'line', 'key']);
    // The log's rows in sight, top to bottom.
    const logRows = () => page.$$eval('#log-space .log-row', (rows) => rows.map((row) => ({
        step: row.dataset.step, input: row.dataset.input !== undefined,
        current: row.classList.contains('current'), cells: [...row.children].map((cell) => cell.textContent),
    })));
    // Paused before `instruction` with the registers given ({ R1: '000C', ... }).
    async function expectPausedAt(instruction, registers) {
        const mode = await user.mode();
        expect(mode === 'paused', `the page is in mode ${mode}`);
        const line = await runLineText();
        expect(line?.includes(instruction), `the run line is ${JSON.stringify(line)}, not ${instruction}`);
        for (const [name, value] of Object.entries(registers)) {
            const shown = await register(name);
            expect(shown === value, `${name} = ${shown}, not ${value}`);
        }
    }
    // Types `text` into the line field of the wait there must be, and expects a pause. A run
    // does not clear the registers, so each check types numbers of its own: R1 and R3 as they
    // were at the wait, which the instruction after the input must not have changed yet.
    async function answerWait(text) {
        expect(await next() === 'line', `no wait for ${text}`);
        const before = { R1: await register('R1'), R3: await register('R3') };
        const mode = await user.answerLine(text);
        expect(mode === 'paused', `after ${text} the page is in mode ${mode}`);
        return before;
    }
    // sum.asm with a breakpoint on line 11, run, and `number` typed for the first CALL #READINT.
    async function breakAfterNumber(number) {
        await setLanguage('en');
        await openExample('sum');
        await user.toggleBreakpoint(11);
        await page.click('#run');
        const before = await answerWait(String(number));
        expect(before.R3 !== hex(number), `R3 held ${before.R3} already`);
        return before;
    }

    await check('input pause: a breakpoint after CALL #READINT pauses once the number is read, before the instruction there', async () => {
        const before = await breakAfterNumber(12);
        await expectPausedAt('MOV R1,R3', { R1: '000C', R3: before.R3 });
        const status = await user.runStatus();
        expect(status.includes('line 11'), `status ${status}`);
        // Shift+F7 goes back over the input alone, to the routine's entry.
        await user.focusEditor();
        await press('Shift+F7');
        expect(await register('PC') === '4182' && await register('R1') === before.R1,
            `after Shift+F7: PC ${await register('PC')}, R1 ${await register('R1')}`);
        const back = await user.runStatus();
        expect(back === 'The machine is at step 1 of 1.', `status after Shift+F7: ${back}`);
        return `${status} R1=000C R3=${before.R3}`;
    });

    await check('input pause: the log shows the input and the instruction after it as two rows of one step', async () => {
        const before = await breakAfterNumber(34);
        const paused = await logRows();
        const input = paused.at(-1);
        expect(input.input && input.current && input.step === '2' && input.cells[0] === '2',
            `the last row ${JSON.stringify(input)}`);
        expect(input.cells[2] === kNumberRead && input.cells[3].includes(`R1 ${before.R1}→0022`) &&
            input.cells[4] === 'input: the number 34 typed, R1 := 0022',
            `the input row ${JSON.stringify(input.cells)}`);
        expect(paused.length === 2 && paused[0].step === '1' && !paused[0].input, `the rows ${JSON.stringify(paused)}`);
        const detail = await page.$eval('#log-detail', (element) => element.textContent);
        expect(detail.includes(kNumberRead) && detail.includes('R1 := the number typed'), `the detail ${detail}`);

        await user.focusEditor();
        await page.keyboard.press('F7');
        await expectPausedAt('CALL #READINT', { R3: '0022' });
        const stepped = await logRows();
        const instruction = stepped.at(-1);
        expect(stepped.length === 3 && instruction.step === '2' && !instruction.input && instruction.current,
            `the rows ${JSON.stringify(stepped)}`);
        expect(instruction.cells[2] === 'MOV R1,R3' && instruction.cells[3].includes(`R3 ${before.R3}→0022`) &&
            instruction.cells[4] === 'MOV R1,R3: R3 := 0022; N = 0, Z = 0',
            `the instruction row ${JSON.stringify(instruction.cells)}`);
        expect(!stepped[1].current && stepped[1].input, `the input row ${JSON.stringify(stepped[1])}`);
        return `${input.cells.slice(0, 4).join(' | ')}  then  ${instruction.cells.slice(0, 4).join(' | ')}`;
    });

    await check('input pause: a click on the input row in the log goes back to just after the input', async () => {
        const before = await breakAfterNumber(56);
        await user.focusEditor();
        for (let i = 0; i < 3; ++i) await page.keyboard.press('F7');  // MOV, CALL, then the wait
        expect(await next() === 'line', 'no wait for the second number');
        await page.click('#log-space .log-row[data-input]');
        await expectPausedAt('MOV R1,R3', { R1: '0038', R3: before.R3 });
        const rows = await logRows();
        expect(rows.findIndex((row) => row.current) === 1 && rows[1].input && rows[2].cells[2] === 'MOV R1,R3',
            `the rows ${JSON.stringify(rows.map((row) => [row.step, row.input, row.current, row.cells[2]]))}`);
        // The number typed before is kept: the next step runs the instruction without asking again.
        await page.keyboard.press('F7');
        expect(await next() === 'paused', 'the step after the input row asked for input');
        await expectPausedAt('CALL #READINT', { R3: '0038' });
        return `R1=0038 R3=${before.R3} at MOV R1,R3, then R3=0038`;
    });

    await check('input pause: Step over (F8) a CALL #READINT ends after the number, before the next line', async () => {
        await setLanguage('en');
        await openExample('sum');
        await user.focusEditor();
        await page.keyboard.press('F8');
        const first = await answerWait('78');
        expect(first.R3 !== '004E', `R3 held ${first.R3} already`);
        await expectPausedAt('MOV R1,R3', { R1: '004E', R3: first.R3 });
        await page.keyboard.press('F8');
        await expectPausedAt('CALL #READINT', { R3: '004E' });
        await page.keyboard.press('F8');
        await answerWait('30');
        await expectPausedAt('ADD R1,R3', { R1: '001E', R3: '004E' });
        return 'lines 11 and 13 after the inputs';
    });

    // The page has no run to the cursor: Step into the call, then Step out of the routine.
    await check('input pause: Step, then Step out of the input routine, ends after the number', async () => {
        await setLanguage('en');
        await openExample('sum');
        await page.click('#step');
        expect(await next() === 'paused', 'Step did not pause');
        expect(await register('PC') === '4182', `PC ${await register('PC')} after the call`);
        await page.click('#step-out');
        const first = await answerWait('7');
        expect(first.R3 !== '0007', `R3 held ${first.R3} already`);
        await expectPausedAt('MOV R1,R3', { R1: '0007', R3: first.R3 });
        // Shift+F8 from inside the second routine, by its key.
        await user.focusEditor();
        await page.keyboard.press('F7');
        await page.keyboard.press('F7');
        expect(await register('PC') === '4182', `PC ${await register('PC')} in the second call`);
        await press('Shift+F8');
        await answerWait('-2');
        await expectPausedAt('ADD R1,R3', { R1: hex(-2), R3: '0007' });
        return 'lines 11 and 13 after the inputs';
    });

    await check('input pause: a breakpoint after CALL #READBOOL pauses once FALSE or TRUE is read', async () => {
        await setLanguage('en');
        await openExample('question');
        await user.toggleBreakpoint(14);
        await page.click('#run');
        await answerWait('false');
        await expectPausedAt('CMP #1,R1', { R1: '0000' });
        await page.keyboard.press('F6');
        await answerWait('TRUE');
        await expectPausedAt('CMP #1,R1', { R1: '0001' });
        const rows = await logRows();
        expect(rows.at(-1).input && rows.at(-1).cells[2] === 'TRUE or FALSE read into R1', `the last row ${JSON.stringify(rows.at(-1))}`);
        await page.keyboard.press('F6');
        expect(await next() === 'idle', 'the run did not end');
        const screen = await user.screenLines();
        expect(screen.at(-1) === 'Task completed', `the screen ${JSON.stringify(screen)}`);
        return JSON.stringify(screen.slice(-3));
    });
}
