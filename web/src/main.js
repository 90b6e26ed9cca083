// The page: it makes the panels, loads the machine and carries out the commands of the
// toolbar and the keyboard. The machine's state is shown after every command and, while a
// program runs, after every slice of steps.
import { t, setEnglish, isEnglish, applyTexts } from './texts.js';
import { loadCore, Machine, operationNames } from './machine.js';
import { Editor } from './editor.js';
import { Registers } from './registers.js';
import { Memory } from './memory.js';
import { Screen } from './screen.js';
import { StepLog } from './steplog.js';
import { Decoder } from './decoder.js';
import { Runner, speeds } from './runner.js';
import { Examples } from './examples.js';
import { Guide } from './guide.js';
import { CheckResults, exerciseFile } from './lessons.js';
import { ProgramFile } from './program.js';
import { RunStatus, describePause, showAssembly as writeAssembly } from './status.js';
import { ShareDialog, programFromFragment } from './share.js';
import {
    stored, openFileDialog, isCodeFile, codeWordsToAssembler, codeFileText, quotedLine,
} from './files.js';

const $ = (id) => document.getElementById(id);
const kLogEveryMs = 250;  // how often the log follows a run at maximum speed

setEnglish(stored.get('english', !navigator.language.toLowerCase().startsWith('ru')));
applyTexts();
const corePromise = loadCore();

let machine = null;
let shown = null;          // the state on show
let lastAssembly = null;   // { text, codeFile } the assembler last had in this session
let assembled = null;      // { text, code } of the last text that assembled and loaded
let wait = null;           // { input: 'line' | 'key', resume: the command to take again }
let abandoned = false;     // the run was stopped while it waited for input
let runBefore = null;      // the state a fast run started from, to light what it changed
let logShownAt = 0;
let shownBefore = null;    // the state the one on show was lit against

// The panels

const editor = new Editor($('editor'), {
    text: stored.get('source', ''),
    breakLines: stored.get('breakpoints', []),
    label: t('editorLabel'),
    onChange(text) {
        program.keep(text);
        if (shown?.paused && edited()) {
            editor.showRunLine(0);
            setRunStatus(() => t('statusEdited'), true);
        }
    },
    // The whole text replaced by the user: a new program, of no file yet.
    onReplaced() {
        program.set(null);
    },
    onBreakpoints(lines) {
        stored.set('breakpoints', lines);
        machine?.setBreakpoints(lines);
    },
});
const runStatus = new RunStatus($('run-status'));
const program = new ProgramFile({
    title: $('file-name'), note: $('storage-note'), noteSave: $('storage-save'), noteDismiss: $('storage-dismiss'),
    dialog: $('save-dialog'), field: $('save-name'), cancel: $('save-cancel'),
}, () => editor.text());
const registers = new Registers($('registers'));
const memory = new Memory($('ram'), (address) => decoder.show(address));
const screen = new Screen(
    { screen: $('screen'), hint: $('key-hint'), form: $('line-form'), field: $('line-input'), prompt: $('line-prompt') },
    { onKeys: typeKeys, onLine: typeLine });
const log = new StepLog({ body: $('log-body'), space: $('log-space'), note: $('log-note'), detail: $('log-detail') },
    (row) => machine.explainRow(row), goToRow);
const decoder = new Decoder(
    { form: $('decode-form'), field: $('decode-address'), next: $('decode-next'), atPc: $('decode-pc'), output: $('decode-output') },
    (address) => machine.decode(address), (address) => memory.select(address));
const runner = new Runner((steps) => machine.continue(steps), showRunPause);
runner.speed = speeds.includes(stored.get('speed', 0)) ? stored.get('speed', 0) : 0;
// An example, or a program of the guide, is a new program: saving it asks for a name of the
// student's own.
const examples = new Examples($('examples'), (entry, text) => {
    replaceProgram(text, null);
    setRunStatus(() => t('exampleLoaded', { name: entry.name }));
});
const sharing = new ShareDialog({ dialog: $('share-dialog'), note: $('share-note'), field: $('share-link') });
const checkResults = new CheckResults({
    dialog: $('check-dialog'), title: $('check-title'), table: $('check-table'), error: $('check-error'),
    summary: $('check-summary'), close: $('check-close'),
});
const guide = new Guide({ dialog: $('guide'), body: $('guide-body'), close: $('guide-close') }, {
    onProgram(text, doc) {
        const lesson = doc.startsWith('lesson:') ? doc.slice('lesson:'.length) : null;
        replaceAsked(text, () => (lesson === null ? t('exampleLoaded', { name: t('guideProgram') })
            : t('lessonProgramLoaded', { name: lesson })));
    },
    onExercise: startExercise,
    onCheck: checkExercise,
});
fillSpeeds();
examples.load();

// What is shown

function edited() {
    return assembled !== null && editor.text() !== assembled.text;
}

function runPaused() {
    return shown?.paused && !abandoned;
}

function setRunStatus(text, attention = false) {
    runStatus.set(text, attention);
}

// Shows the machine; what differs from `before` is lit. The decoding follows PC at every
// speed, as the other views do.
function render(state, before) {
    registers.show(state, before);
    memory.show(state, before);
    screen.show(state);
    decoder.setPc(state.pc);
    decoder.refresh();
    // A run at maximum speed would only flicker over the lines; it shows its line when it pauses.
    const fast = runner.running && runner.speed === 0;
    editor.showRunLine(state.paused && !abandoned && !edited() && !fast ? state.line : 0);
    shown = state;
    shownBefore = before;
}

function showLog() {
    log.show(shown);
    logShownAt = performance.now();
}

// The page's mode: which commands make sense now.
function setMode(mode) {
    document.body.dataset.run = mode;
    const busy = mode === 'running';
    const waiting = mode === 'line' || mode === 'key';
    const loading = mode === 'loading';
    $('assemble').disabled = loading || busy;
    $('run').disabled = loading;
    $('continue').disabled = loading || waiting;
    for (const id of ['step', 'step-over', 'step-out']) $(id).disabled = loading || busy || waiting;
    $('back').disabled = loading || busy || !shown || shown.lastStep === 0;
    $('stop').disabled = loading || !(busy || waiting || runPaused());
    const label = $('continue').firstElementChild;
    label.dataset.t = busy ? 'pause' : 'continue';
    label.textContent = t(label.dataset.t);
    $('continue').title = t(busy ? 'pauseTip' : 'continueTip');
}

function modeOf(state) {
    if (wait) return wait.input;
    if (runner.running) return 'running';
    return runPaused() ? 'paused' : 'idle';
}

// Shows the answer of a command; `resume` is the command a wait for input takes again.
function showPause(pause, before, resume) {
    if (pause.reason === 'input') {
        wait = { input: pause.input, resume };
    }
    render(pause.state, before);
    screen.setWait(wait ? wait.input : '');
    const failed = pause.reason === 'ended' && pause.state.failed;
    setRunStatus(edited() && pause.state.paused ? () => t('statusEdited') : describePause(pause, runner.running),
        pause.reason === 'input' || failed);
    setMode(modeOf(pause.state));
}

// Every pause of a run: slices at maximum speed, single steps at the slow speeds.
function showRunPause(pause) {
    const final = pause.reason !== 'slice';
    if (runner.speed === 0 && !final) {
        render(pause.state, runBefore);
        setRunStatus(() => t('statusRunning'));
        if (performance.now() - logShownAt > kLogEveryMs) showLog();
        return;
    }
    showPause(pause, runner.speed === 0 ? runBefore : shown, 'run');
    if (final && pause.reason !== 'input') runBefore = null;
    showLog();
}

// Shows what the assembler said; `mark`: the error line is marked in the editor (not when the
// same answer is only said again in another language).
function showAssembly(result, mark = true) {
    const line = writeAssembly($('asm-status'), result);
    if (mark) editor.markError(line);
}

// The commands

function clearWait() {
    wait = null;
    screen.setWait('');
}

function assemble() {
    runner.halt();
    clearWait();
    abandoned = false;
    const text = editor.text();
    const result = machine.assemble(text, program.codeFile);
    lastAssembly = { text, codeFile: program.codeFile };
    const ok = result.ok && result.load.ok;
    assembled = ok ? { text, code: result.code } : null;
    showAssembly(result);
    log.reset();
    render(machine.state(), shown);
    showLog();
    setRunStatus(ok ? () => t('ready') : '');
    setMode('idle');
    return ok;
}

// A run needs the editor's text in RAM: assembled again when it was edited or never assembled.
function ensureProgram() {
    if (!abandoned && assembled !== null && !edited()) return true;
    return assemble();
}

function startLoop() {
    runBefore = shown;
    if (!runPaused()) log.reset();
    else log.forgetAfter(shown.row);
    runner.start();
    setRunStatus(() => t('statusRunning'));
    setMode('running');
}

function runFromStart() {
    if (!machine) return;
    if (assemble()) startLoop();
}

function continueOrPause() {
    if (!machine) return;
    if (runner.running) {
        runner.halt();
        const state = machine.state();
        render(state, runBefore);
        showLog();
        setRunStatus(() => t('statusPaused', { step: state.step }));
        setMode(modeOf(state));
        return;
    }
    if (wait) return;
    if (!runPaused() && !ensureProgram()) return;
    startLoop();
}

// Step, step over or step out; with no run paused, a new run starts and takes the step.
function stepCommand(kind) {
    if (!machine || runner.running || wait) return;
    if (!runPaused()) {
        if (!ensureProgram()) return;
        log.reset();
        abandoned = false;
        render(machine.begin().state, shown);
    }
    const before = shown;
    log.forgetAfter(before.row);
    showPause(machine[kind](), before, kind);
    showLog();
}

function stepBack() {
    if (!machine || runner.running || !shown || shown.lastStep === 0) return;
    const before = shown;
    clearWait();
    abandoned = false;
    const state = machine.back().state;
    render(state, before);
    showLog();
    setRunStatus(state.row === before.row ? () => t('statusNoBack')
        : () => t('statusWent', { step: state.step, last: state.lastStep }));
    setMode(modeOf(state));
}

// A row of the log: the machine after that step, or after the input of its step.
function goToRow(row) {
    if (!machine) return;
    runner.halt();
    const before = shown;
    clearWait();
    abandoned = false;
    const state = machine.goToRow(row).state;
    render(state, before);
    showLog();
    setRunStatus(() => t('statusWent', { step: state.step, last: state.lastStep }));
    setMode(modeOf(state));
}

function stop() {
    if (!machine) return;
    runner.halt();
    // A run waiting for input ends too: the wait ends as stopped, with the end message.
    if (wait) clearWait();
    if (!runPaused()) return;
    const before = shown;
    log.forgetAfter(before.row);
    const pause = machine.stop();
    showPause(pause, before);
    if (pause.reason === 'ended' && !pause.state.failed)
        setRunStatus(() => t('statusStopped', { step: pause.state.lastStep }));
    showLog();
}

// Keys go to the keyboard buffer of a run; with no run they would wait for the next one.
function typeKeys(text) {
    if (!machine || !(runner.running || runPaused())) return;
    machine.typeKeys(text);
    if (wait?.input === 'key') resume();
}

function typeLine(text) {
    if (!machine || wait?.input !== 'line') return;
    machine.typeLine(text);
    resume();
}

// After the input the waiting step is taken again, by the command that met the wait.
function resume() {
    const kind = wait.resume;
    clearWait();
    if (kind === 'run') {
        runBefore = shown;
        runner.start();
        setRunStatus(() => t('statusRunning'));
        setMode('running');
    } else {
        const before = shown;
        showPause(machine[kind](), before, kind);
        showLog();
    }
}

// Files, examples and languages

function replaceProgram(text, name, codeFile = false) {
    editor.replaceText(text);
    program.set(name, codeFile);
    program.settle();
}

// A program of the help, of a lesson or of a link into the editor, as a new program, once the
// user agrees when it would replace work that is in no file; `status` makes what the status line
// says.
function replaceAsked(text, status) {
    const replace = () => {
        $('guide').close();
        replaceProgram(text, null);
        setRunStatus(status);
    };
    if (!program.wouldLose(text)) {
        replace();
        return;
    }
    const question = $('replace-dialog');
    question.returnValue = '';
    question.onclose = () => {
        if (question.returnValue === 'replace') replace();
    };
    question.showModal();
}

// The program of a shared link, when the page's address has one. The address loses it once it is
// read, so that a reload does not ask again.
async function openSharedLink() {
    const shared = await programFromFragment(location.hash);
    if (shared === null) return;
    history.replaceState(null, '', location.href.replace(/#.*$/, ''));
    if (shared.error) setRunStatus(() => t(shared.error), true);
    else replaceAsked(shared.text, () => t('sharedLoaded'));
}

// Exercise NAME: its starting text into the editor.
async function startExercise(name) {
    const text = await exerciseFile(name, 'asm');
    if (text === null) checkResults.show({ ok: false, title: name, error: t('exerciseMissing', { name }) });
    else replaceAsked(text, () => t('exerciseLoaded', { name }));
}

// The editor's program checked against exercise NAME, the results in their dialog; the page's
// own run and machine stay as they are.
async function checkExercise(name) {
    if (!machine) return;
    const file = await exerciseFile(name, 'q42test');
    checkResults.show(file === null ? { ok: false, title: name, error: t('exerciseMissing', { name }) }
        : machine.checkExercise(editor.text(), file, `${name}.q42test`));
}

// A code file is read as the machine's loader reads it; a file it refuses is not opened, with the
// loader's own message, and one it takes is shown as DW lines of its words.
function openCodeFile(name, text) {
    const check = machine.checkCode(text);
    if (check.tooLong) {
        setRunStatus(() => t('codFileLong', { name, ...check.tooLong }), true);
    } else if (!check.ok) {
        const [line, message] = check.status;
        const error = `${quotedLine(line)}: ${message}`;
        setRunStatus(() => t('codFileRefused', { name, error }), true);
    } else if (check.code.length === 0) {
        setRunStatus(() => t('codFileEmpty', { name }), true);
    } else {
        replaceProgram(codeWordsToAssembler(check.code, t('codFileHeader', { name })),
            name.replace(/\.cod$/i, '.asm'), true);
        setRunStatus(() => t('codFileLoaded', { name }));
    }
}

function openFile() {
    openFileDialog($('open-file'), (name, text) => {
        if (isCodeFile(name)) {
            if (machine) openCodeFile(name, text);
        } else {
            replaceProgram(text, name);
            setRunStatus(() => t('fileLoaded', { name }));
        }
    }, (name) => setRunStatus(() => t('fileTooLarge', { name }), true));
}

function saveCod() {
    if (!machine) return;
    if ((assembled === null || edited()) && !assemble()) {
        setRunStatus(() => t('notSavedCod'), true);
        return;
    }
    program.saveCod(codeFileText(assembled.code));
}

function fillSpeeds() {
    const select = $('speed');
    select.replaceChildren(...speeds.map((speed) =>
        new Option(speed === 0 ? t('maximum') : t('perSecond', { n: speed }), String(speed))));
    select.value = String(runner.speed);
}

// Only the texts change: a run, a pause or a wait for input goes on as it was, and the screen
// keeps what the program wrote.
function setLanguage(english) {
    for (const button of document.querySelectorAll('.language button'))
        button.setAttribute('aria-pressed', String((button.dataset.language === 'en') === english));
    if (english === isEnglish()) return;
    setEnglish(english);
    stored.set('english', english);
    applyTexts();
    editor.setGutterTip(t('breakpointTip'));
    editor.setLabel(t('editorLabel'));
    program.show();
    fillSpeeds();
    examples.fill();
    guide.retitle();
    screen.showHint();
    memory.retitle();
    if (machine) {
        machine.setLanguage(english);
        if (lastAssembly !== null) showAssembly(machine.retell(lastAssembly.text, lastAssembly.codeFile), false);
        if (shown) render(shown, shownBefore);
        log.reset();
        showLog();
    }
    runStatus.refresh();
    setMode(document.body.dataset.run);
}

// The toolbar and the keys

$('assemble').addEventListener('click', () => machine && assemble());
$('run').addEventListener('click', runFromStart);
$('continue').addEventListener('click', continueOrPause);
$('step').addEventListener('click', () => stepCommand('step'));
$('step-over').addEventListener('click', () => stepCommand('stepOver'));
$('step-out').addEventListener('click', () => stepCommand('stepOut'));
$('back').addEventListener('click', stepBack);
$('stop').addEventListener('click', stop);
$('open').addEventListener('click', openFile);
$('save-asm').addEventListener('click', () => program.saveAsm());
$('save-cod').addEventListener('click', saveCod);
$('share').addEventListener('click', () => sharing.share(editor.text()));
window.addEventListener('hashchange', openSharedLink);
$('guide-open').addEventListener('click', () => guide.open());
$('speed').addEventListener('change', (event) => {
    runner.speed = Number(event.target.value);
    stored.set('speed', runner.speed);
});
for (const button of document.querySelectorAll('.language button'))
    button.addEventListener('click', () => setLanguage(button.dataset.language === 'en'));

const keys = {
    F9: runFromStart,
    'Ctrl+F9': () => machine && assemble(),
    F6: continueOrPause,
    F7: () => stepCommand('step'),
    'Shift+F7': stepBack,
    F8: () => stepCommand('stepOver'),
    'Shift+F8': () => stepCommand('stepOut'),
    'Ctrl+B': stop,
    F1: () => guide.open(),
    F2: () => editor.toggleBreakpointAtCaret(),
    'Ctrl+S': () => program.saveAsm(),
    'Ctrl+O': openFile,
};

document.addEventListener('keydown', (event) => {
    if ($('save-dialog').open || $('share-dialog').open || ($('guide').open && event.key !== 'F1')) return;
    const name = `${event.ctrlKey || event.metaKey ? 'Ctrl+' : ''}${event.shiftKey ? 'Shift+' : ''}${event.key.length === 1 ? event.key.toUpperCase() : event.key}`;
    if (event.key === 'Escape' && !$('stop').disabled) {
        event.preventDefault();
        stop();
        return;
    }
    const command = keys[name];
    if (!command) return;
    event.preventDefault();
    command();
});

setLanguage(isEnglish());
editor.setGutterTip(t('breakpointTip'));
setMode('loading');

// The machine

async function start() {
    let core;
    try {
        core = await corePromise;
    } catch (error) {
        setRunStatus(() => t('loadFailed') + (error?.message ?? error), true);
        return;
    }
    editor.setOperationNames(operationNames(core));
    machine = new Machine(core, isEnglish());
    machine.setBreakpoints(editor.breakLines());
    render(machine.state(), null);
    showLog();
    setRunStatus(() => t('ready'));
    setMode('idle');
    await openSharedLink();
    performance.mark('q42-ready');
    if (editor.text() === '' && stored.get('source', null) === null) {
        const response = await fetch('examples/hello.asm').catch(() => null);
        if (response?.ok && editor.text() === '') replaceProgram(await response.text(), null);
    }
}

start();

if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    navigator.serviceWorker.register('sw.js').catch(() => {});
}
