// The page from the keyboard alone, and its contrast: the editor shows a focus ring and tells how
// to leave it; the log's rows and the RAM's words are reached with Tab, moved through with the
// arrows and picked with Enter or Space; the gutter's line numbers and the log's rows after the
// current one are readable, 4.5:1 against their background at least.
import { expect, settledChecks } from './harness.mjs';

// The contrast ratio of each shown element matching `selector` with text: its colour against
// the first background colour behind it.
function contrasts(selector) {
    const rgb = (colour) => colour.match(/[\d.]+/g).map(Number);
    const luminance = (colour) => {
        const [r, g, b] = colour.map((v) => (v / 255 <= 0.03928 ? v / 255 / 12.92 : ((v / 255 + 0.055) / 1.055) ** 2.4));
        return 0.2126 * r + 0.7152 * g + 0.0722 * b;
    };
    const background = (element) => {
        for (; element; element = element.parentElement) {
            const colour = rgb(getComputedStyle(element).backgroundColor);
            if (colour.length < 4 || colour[3] > 0) return colour;
        }
        return [255, 255, 255];
    };
    return [...document.querySelectorAll(selector)]
        .filter((element) => element.textContent.trim() !== '' && element.checkVisibility())
        .map((element) => {
            const [a, b] = [luminance(rgb(getComputedStyle(element).color)), luminance(background(element))];
            return (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
        });
}

export async function keyboardChecks({ page, user: u }) {
    const check = settledChecks(u);
    const active = () => page.evaluate(() => {
        const element = document.activeElement;
        return element.closest('.cm-editor') ? 'editor' : element.id || element.dataset.address || element.tagName;
    });
    const ring = () => page.$eval('#editor', (editor) => {
        const style = getComputedStyle(editor);
        return style.outlineStyle === 'none' ? 0 : parseFloat(style.outlineWidth);
    });
    const noteShown = () => page.$eval('#editor-keys', (note) => (note.checkVisibility() ? note.textContent : ''));

    await check('keyboard: Tab into the editor shows its focus ring and how to leave it; Esc, Tab leaves', async () => {
        await u.openExample('hello');
        await page.focus('#save-cod');
        const before = await ring();
        for (let tabs = 0; tabs < 3 && await active() !== 'editor'; ++tabs) await page.keyboard.press('Tab');
        expect(await active() === 'editor', `Tab from Save .cod went to ${await active()}`);
        const focused = await ring();
        const note = await noteShown();
        expect(before === 0 && focused >= 2, `the ring is ${before} px without focus, ${focused} px with it`);
        expect(/Esc.*Tab/.test(note), `the note under the editor says ${JSON.stringify(note)}`);
        await page.keyboard.press('Escape');
        await page.keyboard.press('Tab');
        const left = await active();
        expect(left !== 'editor' && await noteShown() === '' && await ring() === 0, `after Esc, Tab the focus is on ${left}`);
        return note;
    });

    await check('keyboard: log rows are reached with Tab, moved with the arrows and picked with Enter or Space', async () => {
        await u.openExample('countdown');
        await u.runToEnd();
        await page.focus('#decode-pc');
        await page.keyboard.press('Tab');
        expect(await active() === 'log-body', `Tab from "At PC" went to ${await active()}`);
        await page.keyboard.press('Home');
        await page.keyboard.press('ArrowDown');
        await page.keyboard.press('ArrowDown');
        const cursor = await page.$eval('#log-body', (body) => body.getAttribute('aria-activedescendant'));
        await page.keyboard.press('Enter');
        const picked = await page.$eval('#log-space .log-row.current', (row) => row.dataset.step);
        await page.keyboard.press('ArrowUp');
        await page.keyboard.press(' ');
        const spaced = await page.$eval('#log-space .log-row.current', (row) => row.dataset.step);
        await page.keyboard.press('End');
        await page.keyboard.press('Enter');
        const last = await page.$eval('#log-space .log-row.current', (row) => row.id === row.parentElement.lastElementChild.id);
        expect(cursor === 'log-row-2' && picked === '3' && spaced === '2' && last,
            `cursor ${cursor}; Enter went to step ${picked}, Space to step ${spaced}, End+Enter to the last row: ${last}`);
        return `steps ${picked}, ${spaced}, then the last`;
    });

    await check('keyboard: RAM words are one Tab stop, moved through with the arrows; Enter decodes', async () => {
        await u.openExample('countdown');
        await u.runToEnd();
        await page.click('#ram td.word[data-address="0010"]');
        await page.focus('#screen');
        await page.keyboard.press('Tab');
        const first = await active();
        expect(first === '0010', `Tab from the screen went to ${first}, not the word last picked`);
        for (const key of ['ArrowRight', 'ArrowRight', 'ArrowDown', 'ArrowLeft']) await page.keyboard.press(key);
        const at = await active();
        await page.keyboard.press('Enter');
        const decoded = await page.$eval('#decode-address', (field) => field.value);
        await page.keyboard.press('PageUp');
        await page.keyboard.press('Home');
        await page.keyboard.press(' ');
        const home = await page.$eval('#decode-address', (field) => field.value);
        await page.keyboard.press('Tab');
        const after = await active();
        expect(at === '0022' && decoded === '0022' && home === '0000' && after !== 'TD',
            `the arrows led to ${at}, Enter decoded ${decoded}, PageUp Home Space ${home}, Tab went on to ${after}`);
        return `${first} → ${at}, decoded`;
    });

    await check('contrast: line numbers and the log\'s rows after the current one reach 4.5:1', async () => {
        await u.openExample('countdown');
        await u.runToEnd();
        await page.$eval('#log-body', (body) => { body.scrollTop = 0; });
        await (await page.waitForSelector('#log-space .log-row[data-step="2"]')).click();
        const gutter = await page.evaluate(contrasts, '.cm-lineNumbers .cm-gutterElement');
        const future = await page.evaluate(contrasts, '#log-space .log-row.future > span');
        expect(gutter.length > 5 && future.length > 5, `${gutter.length} line numbers, ${future.length} future cells`);
        const [lowGutter, lowFuture] = [Math.min(...gutter), Math.min(...future)];
        expect(lowGutter >= 4.5 && lowFuture >= 4.5,
            `lowest contrast: line numbers ${lowGutter.toFixed(2)}, future rows ${lowFuture.toFixed(2)}`);
        return `line numbers ${lowGutter.toFixed(2)}:1, future rows ${lowFuture.toFixed(2)}:1`;
    });
}
