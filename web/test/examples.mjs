// Runs every example through the WebAssembly core under node, as the page does, and compares
// the screen with the transcript q42cli writes (examples/NAME.out): the same machine and
// assembler, not a second implementation. Then times the countdown of 10^8 steps.
//   node web/test/examples.mjs build-web/site
import { readFileSync, readdirSync, existsSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';

const site = process.argv[2] ?? 'build-web/site';
const require = createRequire(import.meta.url);
const createQ42 = require(join(process.cwd(), site, 'q42.js'));
// The module would fetch its .wasm; node reads it from the site folder instead.
const q42 = await createQ42({ wasmBinary: readFileSync(join(site, 'q42.wasm')) });

const kScreenLines = 10;
let failures = 0;

// Runs until the end, answering each wait with the next typed line or key.
function runToEnd(session, input) {
    let pause = JSON.parse(session.continue(1e6));
    for (let guard = 0; guard < 10000; ++guard) {
        if (pause.reason === 'input') {
            if (pause.input === 'line') session.typeLine(input.lines.shift() ?? '');
            else session.typeKeys(input.keys.shift() ?? '\r');
        } else if (pause.reason !== 'slice') {
            return pause;
        }
        pause = JSON.parse(session.continue(1e6));
    }
    throw new Error('the run did not end');
}

for (const name of readdirSync('examples').filter((f) => f.endsWith('.asm')).sort()) {
    const stem = name.replace(/\.asm$/, '');
    const session = new q42.WebSession(false);
    const assembled = JSON.parse(session.assemble(readFileSync(join('examples', name), 'utf8')));
    const inputText = existsSync(join('examples', stem + '.in'))
        ? readFileSync(join('examples', stem + '.in'), 'utf8') : '';
    const input = {
        lines: inputText.split('\n').filter((line, i, all) => i < all.length - 1 || line !== ''),
        keys: [...inputText.replace(/\n/g, '\r')],
    };
    let pause;
    try {
        pause = runToEnd(session, input);
    } catch (e) {
        console.log(`FAIL ${stem}: ${String(e?.message ?? e).slice(0, 300)}`);
        failures++;
        continue;
    }
    const screen = pause.state.screen.map((line) => line.slice(1).trimEnd());
    const expected = readFileSync(join('examples', stem + '.out'), 'utf8').split('\n')
        .slice(0, -1).map((line) => line.trimEnd()).slice(-kScreenLines);
    const same = assembled.ok && JSON.stringify(screen.slice(-expected.length)) === JSON.stringify(expected);
    console.log(`${same ? 'ok  ' : 'FAIL'} ${stem}`);
    if (!same) {
        failures++;
        console.log('  expected:', expected, '\n  got:     ', screen);
    }
    session.delete();
}

// The countdown of two nested counters, 10^8 steps, as the native benchmark runs it.
const countdown = new q42.WebSession(true);
countdown.assemble('MOV #1667,R0\nL1: MOV #30000,R1\nL2: SUB #1,R1\nBNE L2\nSUB #1,R0\nBNE L1\nHLT');
const start = performance.now();
const end = JSON.parse(countdown.continue(2e8));
const seconds = (performance.now() - start) / 1000;
console.log(`countdown: ${end.state.lastStep} steps in ${seconds.toFixed(3)} s ` +
            `(${(end.state.lastStep / seconds / 1e6).toFixed(0)} M steps/s), ended: ${end.reason}`);
countdown.delete();
process.exit(failures === 0 ? 0 : 1);
