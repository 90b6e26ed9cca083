// Share: the editor's program in a link, copied to the clipboard, opened in a fresh browser
// profile as the same program; a link opened over unsaved work asks first; a link too long, a
// damaged one or one that unpacks to far too much text gets a clear message, quickly.
import { deflateRawSync } from 'node:zlib';
import { randomBytes } from 'node:crypto';
import { expect, settledChecks, testFile, user } from './harness.mjs';

const kProgram = [
    '; Поделиться: a program sent as a link',
    'START:  MOV #\'A\',R0      ; «кавычки» & 100% #1',
    '        HLT',
];

async function shareLink(page) {
    await page.click('#share');
    await page.waitForSelector('#share-dialog[open]');
    const link = await page.$eval('#share-link', (field) => (field.hidden ? '' : field.value));
    const note = await page.$eval('#share-note', (note) => note.textContent);
    await page.click('#share-dialog button');
    return { link, note };
}

// The message the status line shows after opening `hash` in a new page.
async function statusFor(browser, url, hash) {
    const page = await browser.newPage();
    const started = Date.now();
    await page.goto(url + hash, { waitUntil: 'load' });
    await user(page).waitReady();
    const status = await page.$eval('#run-status', (element) => element.textContent);
    await page.close();
    return { status, ms: Date.now() - started };
}

export async function shareChecks({ browser, page, url, user: u }) {
    const check = settledChecks(u);
    const origin = new URL(url).origin;
    await browser.defaultBrowserContext().overridePermissions(origin, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
    let shared = null;

    await check('share: the link, copied to the clipboard, opens the same program in a fresh profile', async () => {
        await u.setLanguage('en');
        await u.typeProgram(kProgram.join('\n'));
        const program = await u.editorLines();
        const { link, note } = await shareLink(page);
        const clipboard = await page.evaluate(() => navigator.clipboard.readText());
        expect(link.startsWith(`${url}#program=`) && clipboard === link, `link ${link}, clipboard ${clipboard}`);
        expect(/copied/.test(note), `the dialog says ${note}`);
        const fresh = await browser.createBrowserContext();
        const other = await fresh.newPage();
        await other.goto(link, { waitUntil: 'load' });
        await user(other).waitReady();
        const opened = await user(other).editorLines();
        const address = other.url();
        await fresh.close();
        expect(JSON.stringify(opened) === JSON.stringify(program), `opened ${JSON.stringify(opened)}`);
        expect(!address.includes('#'), `the address keeps ${address}`);
        shared = { link, program };
        return `${link.length - url.length} characters after the address`;
    });

    await check('share: a link over unsaved work asks first; Cancel keeps the work, Replace opens it', async () => {
        expect(shared, 'no link was made');
        await u.typeProgram('; my own work, in no file');
        const mine = await u.editorLines();
        await page.goto('about:blank');
        await page.goto(shared.link, { waitUntil: 'load' });
        await u.waitReady();
        await page.waitForSelector('#replace-dialog[open]');
        await page.click('#replace-dialog button[value=""]');
        const kept = await u.editorLines();
        await page.evaluate((hash) => { location.hash = hash; }, new URL(shared.link).hash);
        await page.waitForSelector('#replace-dialog[open]');
        await page.click('#replace-dialog button[value="replace"]');
        await page.waitForFunction((lines) => [...document.querySelectorAll('.cm-content .cm-line')]
            .map((line) => line.textContent).join('\n') === lines.join('\n'), { timeout: 5000 }, shared.program).catch(() => {});
        const replaced = await u.editorLines();
        expect(JSON.stringify(kept) === JSON.stringify(mine), `after Cancel the editor holds ${JSON.stringify(kept)}`);
        expect(JSON.stringify(replaced) === JSON.stringify(shared.program), `after Replace: ${JSON.stringify(replaced)}`);
    });

    await check('share: a program too long for a link is refused with a message', async () => {
        await u.openFile(testFile('long.asm', `; ${randomBytes(40000).toString('hex')}\n`));
        await page.waitForFunction(() => document.getElementById('run-status').textContent.includes('long.asm'));
        const { link, note } = await shareLink(page);
        expect(link === '' && /too long/.test(note), `link ${link.slice(0, 40)}…, the dialog says ${note}`);
        return note;
    });

    await check('share: a link too long, damaged or unpacking to far too much gets a message at once', async () => {
        const bomb = deflateRawSync(Buffer.alloc(8 * 1024 * 1024, 59)).toString('base64url');
        const cases = [
            ['#program=' + 'A'.repeat(40000), /too long/],
            ['#program=' + bomb, /too long/],
            ['#program=not*base64', /damaged/],
            ['#program=' + Buffer.from('not deflate at all').toString('base64url'), /damaged/],
        ];
        const seen = [];
        for (const [hash, expected] of cases) {
            const { status, ms } = await statusFor(browser, url, hash);
            expect(expected.test(status) && ms < 15000, `${hash.slice(0, 30)}…: ${status} after ${ms} ms`);
            seen.push(status);
        }
        return seen[1];
    });
}
