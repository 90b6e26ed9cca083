// Screenshots of the page after a run of stars.asm with its first word decoded, in English
// (web.png) then in Russian (web-ru.png), the same on a phone (web-phone.png, the whole page
// 390 px wide) and on a 1366×768 laptop (web-1366.png), and of its reference card (card-en.png,
// card-ru.png). The page test shoots them into build-web/screenshots/;
// run alone, this file makes the README's images:
//   node web/test/screenshots.mjs build-web/site docs
import { mkdirSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { serveSite, launchBrowser, user } from './harness.mjs';

async function shoot(u, page, path, fullPage = false) {
    await u.openExample('stars');
    await u.runToEnd();
    await page.click('#ram td.word[data-address="0000"]');
    await page.evaluate(() => {
        document.activeElement?.blur();
        window.scrollTo(0, 0);
    });
    await page.screenshot({ path, fullPage });
}

// The page at other sizes, each in a page of its own, in English.
export async function shootSizes(browser, url, folder) {
    const sizes = [
        ['web-phone.png', { width: 390, height: 844, isMobile: true, hasTouch: true }, true],
        ['web-1366.png', { width: 1366, height: 768 }, false],
    ];
    for (const [name, viewport, fullPage] of sizes) {
        const page = await browser.newPage();
        await page.setViewport(viewport);
        await page.goto(url, { waitUntil: 'load' });
        const u = user(page);
        await u.waitReady();
        await u.setLanguage('en');
        await shoot(u, page, join(folder, name), fullPage);
        await page.close();
    }
}

// The reference card in the page's help, in the page's language.
async function shootCard(page, path) {
    await page.keyboard.press('F1');
    await page.click('#guide [data-doc="card"]');
    await page.waitForFunction(() => /MOV (op1|оп1),/.test(document.getElementById('guide-body').textContent));
    await page.screenshot({ path });
    await page.click('#guide-close');
}

export async function shootCards(u, page, folder) {
    await u.setLanguage('en');
    await shootCard(page, join(folder, 'card-en.png'));
    await u.setLanguage('ru');
    await shootCard(page, join(folder, 'card-ru.png'));
}

// Leaves the page in Russian.
export async function shootRuns(u, page, folder) {
    await u.setLanguage('en');
    await shoot(u, page, join(folder, 'web.png'));
    await u.setLanguage('ru');
    await shoot(u, page, join(folder, 'web-ru.png'));
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
    const site = resolve(process.argv[2] ?? 'build-web/site');
    const folder = resolve(process.argv[3] ?? 'docs');
    mkdirSync(folder, { recursive: true });
    const { server, url } = await serveSite(site);
    const browser = await launchBrowser(process.env.CHROMIUM ?? '/usr/bin/chromium');
    const page = await browser.newPage();
    await page.setViewport({ width: 1440, height: 900 });
    await page.goto(url, { waitUntil: 'load' });
    await page.waitForSelector('#examples option[value="stars"]');
    await shootRuns(user(page), page, folder);
    await shootCards(user(page), page, folder);
    await shootSizes(browser, url, folder);
    await browser.close();
    server.close();
    console.log(`wrote web.png, web-ru.png, card-en.png, card-ru.png, web-phone.png, web-1366.png in ${folder}`);
}
