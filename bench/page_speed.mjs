// The page's core under node: a program run as the page runs it at maximum speed, in slices of
// about 10 ms through the binding (history on, the state's JSON after every slice), against
// native q42cli on the same code file, measured alternately in one run.
//   node bench/page_speed.mjs MODULE_DIR Q42CLI PROGRAM.asm [ROUNDS] [BREAK_LINE]
// Prints the steps per second of both and their ratio; with BREAK_LINE (a line whose code is
// never reached), also the page's run with a breakpoint there against its run without.
import { readFileSync } from 'node:fs';
import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import { resolve } from 'node:path';

const [moduleDir, cli, programFile, roundsText = '3', breakLine] = process.argv.slice(2);
const createQ42 = createRequire(`${resolve(moduleDir)}/`)(`${resolve(moduleDir)}/q42.js`);
const core = await createQ42({ wasmBinary: readFileSync(`${resolve(moduleDir)}/q42.wasm`) });
const session = new core.WebSession(true);
const source = readFileSync(programFile, 'utf8');
const kSliceMs = 10;

// The machine is shared and busy: the processor time each spends is measured, not the clock's.
const cpuSeconds = () => {
    const usage = process.cpuUsage();
    return (usage.user + usage.system) / 1e6;
};

// One run as the page's runner makes it; returns [steps, seconds].
function pageRun(withBreak) {
    session.assemble(source, false);
    session.setBreakpoints(JSON.stringify(withBreak ? [Number(breakLine)] : []));
    session.start();
    let slice = 20000;
    let pause;
    const start = cpuSeconds();
    do {
        const before = performance.now();
        pause = JSON.parse(session.continue(slice));
        const spent = performance.now() - before;
        if (spent < kSliceMs / 2) slice = Math.min(slice * 2, 5e7);
        else if (spent > kSliceMs * 1.5) slice = Math.max(1000, Math.floor(slice * kSliceMs / spent));
    } while (pause.reason === 'slice');
    return [pause.state.step, cpuSeconds() - start];
}

// The processor time of a child, as the shell's `times` reports it.
function nativeRun() {
    const script = '"$0" run "$1" > /dev/null; times';
    const times = execFileSync('bash', ['-c', script, cli, programFile], { encoding: 'utf8' });
    const [user, system] = times.trim().split('\n')[1].split(' ').map((text) => {
        const [, minutes, seconds] = /(\d+)m([\d.]+)s/.exec(text);
        return Number(minutes) * 60 + Number(seconds);
    });
    return user + system;
}

const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
const page = [], native = [], paged = [];
let steps = 0;
for (let round = 0; round < Number(roundsText); ++round) {
    const [taken, seconds] = pageRun(false);
    steps = taken;
    page.push(seconds);
    native.push(nativeRun());
    if (breakLine !== undefined) paged.push(pageRun(true)[1]);
}
const rate = (seconds) => (steps / seconds / 1e6).toFixed(1) + ' M steps/s';
console.log(`page core under node: ${rate(median(page))}; native q42cli run: ${rate(median(native))}`);
console.log(`ratio page core / native q42cli = ${(median(native) / median(page)).toFixed(2)}`);
if (paged.length > 0) {
    console.log(`page with a breakpoint never reached: ${rate(median(paged))}`);
    console.log(`ratio page with breakpoint / without = ${(median(page) / median(paged)).toFixed(2)}`);
}
