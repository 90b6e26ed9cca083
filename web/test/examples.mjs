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

// Stop while the program waits for input ends the run with the end message; stop at an earlier
// step ends it there; a step command is not held to the last slice's size.
{
    const check = (what, ok) => {
        console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
        if (!ok) failures++;
    };
    const session = new q42.WebSession(true);
    session.assemble('CALL #4182H\nMOV R1,R2\nHLT');
    const waiting = JSON.parse(session.continue(1000));
    const stopped = JSON.parse(session.stop());
    check('stop during an input wait ends the run',
          waiting.reason === 'input' && stopped.reason === 'ended' &&
          stopped.state.screen.at(-1).includes('interrupted'));

    session.assemble('MOV #1,R0\nMOV #2,R0\nMOV #3,R0\nHLT');
    JSON.parse(session.continue(3));
    session.back();
    const early = JSON.parse(session.stop());
    check('stop after a step back ends the run after the next step from there',
          early.reason === 'ended' && early.state.lastStep === 3 &&
          early.state.screen.at(-1).includes('interrupted'));

    session.assemble('MOV #0,R1\nCALL #S\nHLT\nS: MOV #5,R1\nADD #1,R1\nRET');
    JSON.parse(session.continue(1));
    const over = JSON.parse(session.stepOver());
    check('step over after a one-step slice goes over the whole call',
          over.reason === 'stepped' && over.state.registers[1] === '0006');
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
