// The editor's keys in Chromium, pressed as a user presses them: Tab types blanks up to the next
// multiple of eight columns and Shift+Tab takes them back; with a selection they indent and
// unindent the lines by eight blanks; Escape, then Tab, leaves the editor. A tab from a file stays
// in the text, is drawn as a faint arrow, and the operation after it is not coloured as one (the
// assembler takes it as part of the name). F2 sets and clears a breakpoint on the caret's line.
// Run from page.mjs.
import { settledChecks, expect, testFile } from './harness.mjs';

const kKeywordColour = 'rgb(31, 78, 156)';

export async function editorKeyChecks({ page, user }) {
    const check = settledChecks(user);
    const { press, editorLines, typeProgram, setLanguage } = user;
    const inEditor = () => page.evaluate(() => document.activeElement?.closest('.cm-editor') !== null);

    await check('editor: Tab types blanks to the next multiple of 8 columns, Shift+Tab takes them back', async () => {
        await setLanguage('en');
        await typeProgram('');
        await page.keyboard.press('Tab');
        await page.keyboard.type('MOV #1,R0');
        await page.keyboard.press('Enter');
        // Enter keeps the line's blanks; Shift+Tab takes them back to the start of the line.
        await press('Shift+Tab');
        await page.keyboard.type('L:');
        await page.keyboard.press('Tab');
        await page.keyboard.type('HLT');
        await page.keyboard.press('Enter');
        await page.keyboard.type('ab');
        await page.keyboard.press('Tab');
        await page.keyboard.press('Tab');
        const typed = await editorLines();
        expect(JSON.stringify(typed) === JSON.stringify(['        MOV #1,R0', 'L:      HLT', `ab${' '.repeat(14)}`]),
            `after Tab: ${JSON.stringify(typed)}`);
        expect(await inEditor(), 'Tab left the editor');
        await press('Shift+Tab');
        expect((await editorLines())[2] === `ab${' '.repeat(6)}`, `after one Shift+Tab: ${JSON.stringify((await editorLines())[2])}`);
        await press('Shift+Tab');
        expect((await editorLines())[2] === 'ab', `after two: ${JSON.stringify((await editorLines())[2])}`);
        await press('Shift+Tab');
        expect((await editorLines())[2] === 'ab', `Shift+Tab took more than blanks: ${JSON.stringify((await editorLines())[2])}`);
        await page.keyboard.press('Backspace');
        await page.keyboard.press('Backspace');
        await page.keyboard.press('Backspace');
        await page.click('#assemble');
        const status = await user.asmStatus();
        expect(!status.includes('Error'), `the typed program does not assemble: ${status}`);
        return JSON.stringify(typed.slice(0, 2));
    });

    await check('editor: Tab and Shift+Tab with a selection indent and unindent its lines by 8 blanks', async () => {
        const before = await editorLines();
        await user.focusEditor();
        await press('Control+a');
        await page.keyboard.press('Tab');
        const indented = await editorLines();
        expect(JSON.stringify(indented) === JSON.stringify(before.map((line) => `        ${line}`)),
            `indented: ${JSON.stringify(indented)}`);
        await press('Shift+Tab');
        await press('Shift+Tab');
        const unindented = await editorLines();
        expect(JSON.stringify(unindented) === JSON.stringify(['MOV #1,R0', 'L:      HLT']),
            `unindented twice: ${JSON.stringify(unindented)}`);
        return JSON.stringify(indented);
    });

    await check('editor: Escape, then Tab, leaves the editor', async () => {
        await user.focusEditor();
        const before = await editorLines();
        await page.keyboard.press('Escape');
        await page.keyboard.press('Tab');
        const left = await page.evaluate(() => ({
            inEditor: document.activeElement?.closest('.cm-editor') !== null,
            where: document.activeElement?.id || document.activeElement?.tagName,
        }));
        expect(!left.inEditor, 'the focus stayed in the editor');
        expect(JSON.stringify(await editorLines()) === JSON.stringify(before), 'the text changed');
        await press('Shift+Tab');
        expect(await inEditor(), 'Shift+Tab did not come back into the editor');
        return `the focus went to ${left.where}`;
    });

    await check('editor: a tab from a file stays, is drawn as an arrow, and its operation is not coloured', async () => {
        await user.openFile(testFile('tabbed.asm', '\tMOV #1,R0\r\n        HLT\r\n'));
        await page.waitForFunction(() => document.getElementById('file-name').textContent === 'tabbed.asm');
        const lines = await editorLines();
        expect(lines[0] === '\tMOV #1,R0', `the first line ${JSON.stringify(lines[0])}`);
        const arrow = await page.$eval('.cm-tab-char', (tab) => ({
            text: tab.textContent, before: getComputedStyle(tab, '::before').content,
        })).catch(() => null);
        expect(arrow?.text === '\t' && arrow.before === '"→"', `the tab is drawn as ${JSON.stringify(arrow)}`);
        const colours = await page.$$eval('.cm-content .cm-line', (rows) => rows.slice(0, 2).map((row) => {
            const walker = document.createTreeWalker(row, NodeFilter.SHOW_TEXT);
            for (let node = walker.nextNode(); node; node = walker.nextNode()) {
                if (/MOV|HLT/.test(node.textContent)) {
                    const style = getComputedStyle(node.parentElement);
                    return `${style.color} ${style.fontWeight}`;
                }
            }
            return '';
        }));
        expect(colours[1] === `${kKeywordColour} 700`, `HLT is ${colours[1]}`);
        expect(!colours[0].startsWith(kKeywordColour) && !colours[0].endsWith('700'), `MOV after the tab is ${colours[0]}`);
        await page.click('#assemble');
        const status = await user.asmStatus();
        expect(status.includes('1') && /operation/i.test(status), `the assembler says ${status}`);
        await typeProgram('        HLT\n');
        return `MOV after a tab: ${colours[0]}; the assembler: ${status}`;
    });

    await check('editor: F2 sets a breakpoint on the caret\'s line, and F2 again clears it', async () => {
        await typeProgram('        MOV #1,R0\n        MOV #2,R1\n        HLT');
        await press('Control+Home');
        await page.keyboard.press('ArrowDown');
        await page.keyboard.press('F2');
        await page.keyboard.press('F9');
        const paused = await user.waitForMode(['paused', 'idle']);
        const line = await user.runLineText();
        expect(paused === 'paused' && line?.includes('MOV #2,R1'), `after F2 and F9: ${paused}, line ${line}`);
        await page.keyboard.press('Escape');
        await user.waitForMode(['idle']);
        await user.focusEditor();
        await press('Control+Home');
        await page.keyboard.press('ArrowDown');
        await page.keyboard.press('F2');
        await page.keyboard.press('F9');
        const ended = await user.waitForMode(['paused', 'idle']);
        expect(ended === 'idle', `the second F2 left a breakpoint: ${ended}`);
        return line;
    });
}
