// Runs every example through the WebAssembly core under node, as the page does, and compares
// the screen with the transcript q42cli writes (examples/NAME.out): the same machine and
// assembler, not a second implementation. Then checks what the binding adds around the session
// (input waits, stops, refused numbers, the language, code files, programs longer than RAM) and
// times the countdown of 10^8 steps.
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
    const assembled = JSON.parse(session.assemble(readFileSync(join('examples', name), 'utf8'), false));
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
    session.assemble('CALL #4182H\nMOV R1,R2\nHLT', false);
    const waiting = JSON.parse(session.continue(1000));
    const stopped = JSON.parse(session.stop());
    check('stop during an input wait ends the run',
          waiting.reason === 'input' && stopped.reason === 'ended' &&
          stopped.state.screen.at(-1).includes('interrupted'));

    session.assemble('MOV #1,R0\nMOV #2,R0\nMOV #3,R0\nHLT', false);
    JSON.parse(session.continue(3));
    session.back();
    const early = JSON.parse(session.stop());
    check('stop after a step back ends the run after the next step from there',
          early.reason === 'ended' && early.state.lastStep === 3 &&
          early.state.screen.at(-1).includes('interrupted'));

    session.assemble('MOV #0,R1\nCALL #S\nHLT\nS: MOV #5,R1\nADD #1,R1\nRET', false);
    JSON.parse(session.continue(1));
    const over = JSON.parse(session.stepOver());
    check('step over after a one-step slice goes over the whole call',
          over.reason === 'stepped' && over.state.registers[1] === '0006');

    // A refused number stays on the screen while the next is awaited, and after it, as q42cli
    // prints it (examples/sum.asm with 12x, abc, 99999, 5, 7).
    session.setLanguage(false);
    session.assemble(readFileSync(join('examples', 'sum.asm'), 'utf8'), false);
    let pause = JSON.parse(session.continue(1e6));
    const screens = [];
    for (const line of ['12x', 'abc', '99999', '5', '7']) {
        session.typeLine(line);
        pause = JSON.parse(session.continue(1e6));
        screens.push(pause.state.screen.map((text) => text.slice(1)));
    }
    const retry = 'Ошибка! Повторите ввод!';
    check('a refused number is echoed with the retry message while the next is awaited',
          JSON.stringify(screens[0].slice(-3)) === JSON.stringify(['12x', retry, '']) &&
          JSON.stringify(screens[1].slice(-5)) === JSON.stringify(['12x', retry, 'abc', retry, '']));
    check('the refused numbers stay on the screen after the right ones',
          pause.reason === 'ended' && JSON.stringify(screens[4].map((line) => line.trimEnd())) === JSON.stringify(
              [retry, 'abc', retry, '99999', retry, '5', '7', '12', '', 'Задача завершена']));

    // The language changes the texts from now on; the run waiting for input goes on.
    session.assemble('CALL #4182H\nHLT', false);
    const waitingRu = JSON.parse(session.continue(1000));
    session.setLanguage(true);
    session.typeLine('1');
    const endedEn = JSON.parse(session.continue(1000));
    check('a change of language keeps the run waiting for input',
          waitingRu.reason === 'input' && endedEn.reason === 'ended' &&
          endedEn.state.screen[0].includes('Учебный') && endedEn.state.screen.at(-1) === ' Task completed');

    // Code files as the loader reads them; a code file's words ask for no HLT.
    const code = JSON.parse(session.checkCode('2150\r\nAF18\r\n.\r\n'));
    const bad = JSON.parse(session.checkCode('12345\r\n'));
    const long = JSON.parse(session.checkCode('0000\n'.repeat(130)));
    check('a code file is read as the loader reads it',
          code.ok && code.code.join() === '2150,AF18' && !bad.ok &&
          bad.status.join('|') === '12345|incorrect code length' && long.tooLong?.words === 130);
    const words = JSON.parse(session.assemble('        DW 02150H\n        DW 0AF18H\n', true));
    const own = JSON.parse(session.assemble('        DW 02150H\n        DW 0AF18H\n', false));
    check('no HLT warning for a code file\'s words', words.ok && words.warnings.length === 0 && own.warnings.length === 1);

    // A program longer than RAM: how many words it has, and the line of the first that does not fit.
    const tooLong = JSON.parse(session.assemble(`        DS ${'x'.repeat(300)}\n        HLT\n`, false));
    check('a program longer than RAM says how many words it has',
          tooLong.ok && !tooLong.load.ok && tooLong.load.tooLong.words === 151 && tooLong.load.tooLong.line === 1);
    session.delete();
}

// Checking exercises through the binding, as the page's Check button does: every lesson's
// exercise passes its reference solution and fails its starting text, in both languages, with
// the desktop results window's texts; a program that does not assemble fails every case; a
// check file that cannot be read says what is wrong and where, and the session's own run goes
// on untouched.
{
    const check = (what, ok, detail = '') => {
        console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}${ok ? '' : ': ' + detail}`);
        if (!ok) failures++;
    };
    const lessons = join('examples', 'lessons');
    const source = (file) => readFileSync(join(lessons, file), 'utf8');
    const session = new q42.WebSession(true);
    const wrong = [];
    for (const file of readdirSync(lessons).filter((name) => name.endsWith('.q42test')).sort()) {
        const stem = file.replace(/\.q42test$/, '');
        const solved = JSON.parse(session.checkExercise(source(`solutions/${stem}.asm`), source(file), file));
        const started = JSON.parse(session.checkExercise(source(`${stem}.asm`), source(file), file));
        if (!solved.ok || solved.failed !== 0 || !started.ok || started.failed === 0) wrong.push(stem);
    }
    check('every lesson exercise passes its solution and fails its starting text', wrong.length === 0, wrong.join(' '));

    const exercise = source('04-arithmetic-1.q42test');
    const english = JSON.parse(session.checkExercise(source('04-arithmetic-1.asm'), exercise, '04-arithmetic-1.q42test'));
    const failed = english.cases.find((one) => !one.passed);
    check('a failed check in English: title, columns, verdicts, differences, summary',
          english.title === 'Exercise check: Hours and minutes / Часы и минуты' &&
          english.columns.join() === 'Case,Result,Differences' && english.cases.length === 4 &&
          english.cases.every((one) => one.verdict === (one.passed ? 'PASS' : 'FAIL')) &&
          failed?.differences.some((text) => /^R2: expected 0002 \(2\), got 0087 \(135\)$/.test(text)) &&
          english.summary === `${english.passed} passed, ${english.failed} failed; ${english.points} of 4 points`,
          JSON.stringify(english));
    session.setLanguage(false);
    const russian = JSON.parse(session.checkExercise(source('solutions/04-arithmetic-1.asm'), exercise, 'x.q42test'));
    check('a passed check in Russian', russian.columns.join() === 'Вариант,Итог,Расхождения' &&
          russian.summary === 'Пройдено: 4, не пройдено: 0; баллы: 4 из 4', JSON.stringify(russian));
    // The page shows what a student may see: a hidden case's name and verdict, nothing more.
    const samples = join('examples', 'exercises');
    const keys = JSON.parse(session.checkExercise(readFileSync(join(samples, 'keys-wrong.asm'), 'utf8'),
                                                  readFileSync(join(samples, 'keys.q42test'), 'utf8'), 'keys.q42test'));
    const hidden = keys.cases[2];
    check('a hidden case shows its name and verdict only', keys.ok && hidden.hidden && !hidden.passed &&
          hidden.differences.length === 0 && keys.cases[1].differences.length > 0 &&
          keys.points === 3 && keys.max_points === 8, JSON.stringify(keys));
    const broken = JSON.parse(session.checkExercise('  MOV R1,\n  HLT\n', exercise, 'x.q42test'));
    check('a program that does not assemble fails every case with the line',
          broken.ok && broken.failed === 4 && broken.cases[0].differences[0].startsWith('ошибка ассемблера в строке 1'),
          JSON.stringify(broken.cases[0]));

    session.setLanguage(true);
    session.assemble('CALL #4182H\nHLT', false);
    const waiting = JSON.parse(session.continue(1000));
    const malformed = [
        ['[[case]\nname = "a"\n', /^bad\.q42test, line 1: /],
        ['title = 5\n', /^bad\.q42test, line 1: title: a string is needed/],
        ['[[case]]\nname = "a"\nregisters = { R9 = 1 }\n', /^bad\.q42test, line 3: no such register: R9/],
        ['\u0000\u00ff\u0001', /^bad\.q42test/],
    ];
    for (const [text, expected] of malformed) {
        const answer = JSON.parse(session.checkExercise('HLT', text, 'bad.q42test'));
        check(`a malformed check file is refused: ${JSON.stringify(text).slice(0, 30)}`,
              !answer.ok && expected.test(answer.error) && answer.title === 'Exercise check: bad.q42test',
              JSON.stringify(answer));
    }
    session.typeLine('7');
    const ended = JSON.parse(session.continue(1000));
    check('checking leaves the session\'s run as it was', waiting.reason === 'input' && ended.reason === 'ended' &&
          ended.state.registers[1] === '0007', JSON.stringify(ended.state.registers));
    session.delete();

    const outline = JSON.parse(q42.lessonOutline('04-arithmetic', readFileSync('docs/lessons/ru/04-arithmetic.md', 'utf8')));
    check('a lesson\'s outline through the binding', outline.title === '4. Арифметика' &&
          outline.program.startsWith('; 17') && outline.exercises.map((one) => `${one.number}:${one.name}:${one.title}`).join('|') ===
          '1:04-arithmetic-1:Часы и минуты|2:04-arithmetic-2:Из Цельсия в Фаренгейт', JSON.stringify(outline));
}

// The countdown of two nested counters, 10^8 steps, as the native benchmark runs it.
const countdown = new q42.WebSession(true);
countdown.assemble('MOV #1667,R0\nL1: MOV #30000,R1\nL2: SUB #1,R1\nBNE L2\nSUB #1,R0\nBNE L1\nHLT', false);
const start = performance.now();
const end = JSON.parse(countdown.continue(2e8));
const seconds = (performance.now() - start) / 1000;
console.log(`countdown: ${end.state.lastStep} steps in ${seconds.toFixed(3)} s ` +
            `(${(end.state.lastStep / seconds / 1e6).toFixed(0)} M steps/s), ended: ${end.reason}`);
countdown.delete();
process.exit(failures === 0 ? 0 : 1);
