// The page on the screens students and schools have: a phone (390×844, touch), tablets upright
// and on their side, a 1366×768 laptop, and the browser's check that the page can be installed as
// an application. Each size is a page of its own in the same browser.
import { KnownDevices } from 'puppeteer-core';
import { check, expect, user } from './harness.mjs';

// What is wrong with the page's layout as shown: wider than the window, panels over each other,
// content wider than its panel, a panel squeezed to a strip.
function layoutProblems() {
    const problems = [];
    const width = document.documentElement.clientWidth;
    if (document.scrollingElement.scrollWidth > width)
        problems.push(`the page is ${document.scrollingElement.scrollWidth} px wide in ${width}`);
    const panels = [...document.querySelectorAll('main > .panel')].map((element) =>
        ({ name: element.classList[1], element, box: element.getBoundingClientRect() }));
    for (const [i, a] of panels.entries()) {
        if (a.element.scrollWidth > a.element.clientWidth + 1)
            problems.push(`${a.name} holds ${a.element.scrollWidth} px in ${a.element.clientWidth}`);
        if (a.box.height < 120) problems.push(`${a.name} is ${Math.round(a.box.height)} px high`);
        if (a.box.left < 0 || a.box.right > width) problems.push(`${a.name} reaches past the window`);
        for (const b of panels.slice(i + 1)) {
            const apart = a.box.right <= b.box.left + 1 || b.box.right <= a.box.left + 1 ||
                a.box.bottom <= b.box.top + 1 || b.box.bottom <= a.box.top + 1;
            if (!apart) problems.push(`${a.name} overlaps ${b.name}`);
        }
    }
    for (const head of document.querySelectorAll('.log-head > span'))
        if (head.checkVisibility() && head.scrollWidth > head.clientWidth) problems.push(`the log's heading ${head.textContent} is cut`);
    return problems;
}

// The buttons and menus that cannot be reached: once scrolled into sight, each must lie inside
// the window and be what a finger at its middle touches.
function unreachableControls() {
    const width = document.documentElement.clientWidth;
    const controls = [...document.querySelectorAll('body > header button, body > header select, main button, main select')]
        .filter((control) => control.checkVisibility());
    return controls.filter((control) => {
        control.scrollIntoView({ block: 'center', inline: 'center' });
        const box = control.getBoundingClientRect();
        const hit = document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2);
        return box.left < 0 || box.right > width || !control.contains(hit);
    }).map((control) => control.id || control.textContent.trim());
}

// The panels' left edges: one per column of the layout.
const columns = () => [...new Set([...document.querySelectorAll('main > .panel')]
    .map((panel) => Math.round(panel.getBoundingClientRect().left)))].length;

async function openPage(browser, url, setUp) {
    const page = await browser.newPage();
    await setUp(page);
    await page.goto(url, { waitUntil: 'load' });
    const u = user(page);
    await u.waitReady();
    await u.setLanguage('en');
    return { page, u };
}

// A tap on the middle of `selector` once it is scrolled into sight.
async function tap(page, selector) {
    const box = await page.$eval(selector, (element) => {
        element.scrollIntoView({ block: 'center' });
        const { left, top, width, height } = element.getBoundingClientRect();
        return { x: left + width / 2, y: top + height / 2 };
    });
    await page.touchscreen.tap(box.x, box.y);
}

async function phoneChecks(browser, url) {
    const { page, u } = await openPage(browser, url, (p) => p.emulate(KnownDevices['iPhone 13']));
    await check('phone 390×844: one column, nothing wider than the screen, every button reachable', async () => {
        await u.openExample('stars');
        await u.runToEnd();
        const problems = await page.evaluate(layoutProblems);
        const unreachable = await page.evaluate(unreachableControls);
        const count = await page.evaluate(columns);
        expect(problems.length === 0 && unreachable.length === 0 && count === 1,
            `${count} columns; ${problems.join('; ')}; unreachable: ${unreachable.join(', ')}`);
        return `${await page.evaluate(() => document.scrollingElement.scrollWidth)} px wide`;
    });
    await check('phone: taps run a program, decode a RAM word, go to a log row and take a step', async () => {
        await u.openExample('countdown');
        await tap(page, '#run');
        expect(await u.waitForMode(['idle']) === 'idle', 'the tapped Run did not end');
        await tap(page, '#ram td.word[data-address="0006"]');
        const decoded = await page.$eval('#decode-output', (output) => output.textContent);
        expect(decoded.includes('0006'), `the decoding shows ${decoded}`);
        await page.$eval('#log-body', (body) => { body.scrollTop = 0; });
        await page.waitForSelector('#log-space .log-row[data-step="3"]');
        await tap(page, '#log-space .log-row[data-step="3"]');
        await page.waitForFunction(() => document.querySelector('#log-space .log-row.current')?.dataset.step === '3');
        await tap(page, '#step');
        await page.waitForFunction(() => document.querySelector('#log-space .log-row.current')?.dataset.step === '4');
        await tap(page, '#stop');
        expect(await u.waitForMode(['idle']) === 'idle', 'the tapped Stop did not end the run');
        return `decoded ${decoded.slice(0, 30)}…`;
    });
    await page.close();
}

export async function deviceChecks({ browser, url }) {
    await phoneChecks(browser, url);
    for (const [width, height] of [[768, 1024], [1024, 768], [1180, 820]]) {
        await check(`tablet ${width}×${height}: two columns, no panel over another`, async () => {
            const { page, u } = await openPage(browser, url, (p) => p.setViewport({ width, height }));
            await u.openExample('stars');
            await u.runToEnd();
            const problems = await page.evaluate(layoutProblems);
            const count = await page.evaluate(columns);
            await page.close();
            expect(problems.length === 0 && count === 2, `${count} columns; ${problems.join('; ')}`);
        });
    }
    await check('1366×768: the log in sight whole, its current row shown, its step numbers never cut', async () => {
        const { page, u } = await openPage(browser, url, (p) => p.setViewport({ width: 1366, height: 768 }));
        await u.openExample('stars');
        await u.runToEnd();
        const shown = await page.$eval('#log-space .log-row.current', (row) => {
            const [box, view] = [row.getBoundingClientRect(), row.closest('.log-body').getBoundingClientRect()];
            return box.top >= view.top - 1 && box.bottom <= view.bottom + 1 || `${box.top}-${box.bottom} in ${view.top}-${view.bottom}`;
        });
        expect(shown === true, `the last step of stars.asm is out of the log's sight: ${shown}`);
        await u.typeProgram('L:      BR L    ; for ever\n');
        await page.click('#run');
        await page.waitForFunction(() => /\d{8}/.test(document.getElementById('run-status').textContent) ||
            Number(document.querySelector('#log-space .log-row:last-child')?.dataset.step) > 1e7, { timeout: 20000 });
        await page.click('#continue');
        await u.waitForMode(['paused']);
        const cut = await page.$$eval('#log-space .log-row > span:first-child, .log-head > span:first-child',
            (cells) => cells.filter((cell) => cell.scrollWidth > cell.clientWidth).map((cell) => cell.textContent));
        const bottom = await page.$eval('.log', (log) => log.getBoundingClientRect().bottom);
        const last = await page.$eval('#log-space .log-row.current', (row) => row.dataset.step);
        await page.click('#stop');
        await page.close();
        expect(cut.length === 0 && bottom <= 768, `cut: ${cut.slice(0, 3).join(', ')}; the log ends at ${bottom} px`);
        return `step ${last} shown whole`;
    });
    await check('the browser can install the page as an application', async () => {
        const page = await browser.newPage();
        await page.goto(url, { waitUntil: 'load' });
        await user(page).waitReady();
        await page.evaluate(() => navigator.serviceWorker.ready);
        const cdp = await page.createCDPSession();
        const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
        const { errors } = await cdp.send('Page.getAppManifest');
        await page.close();
        expect(installabilityErrors.length === 0 && errors.length === 0,
            `installability: ${JSON.stringify(installabilityErrors)}; manifest: ${JSON.stringify(errors)}`);
        return 'no installability errors';
    });
}
