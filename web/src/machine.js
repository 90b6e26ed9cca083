// The machine: the WebAssembly core (q42.js defines createQ42 and fetches q42.wasm beside it)
// and one WebSession in the chosen language. Every answer of the session is JSON; the methods
// here hand back the parsed objects.

let corePromise = null;

// Starts loading the core; the page calls it first thing so that the download runs while the
// editor is being made.
export function loadCore() {
    if (!corePromise) {
        if (typeof globalThis.createQ42 !== 'function')
            return Promise.reject(new Error('q42.js is missing'));
        corePromise = globalThis.createQ42();
    }
    return corePromise;
}

// The names of the operations the assembler knows, from the core's instruction table.
export function operationNames(core) {
    return JSON.parse(core.operationNames());
}

export class Machine {
    constructor(core, english) {
        this.core = core;
        this.session = new core.WebSession(english);
        this.breakLines = [];
    }

    // The texts from now on in the other language; the run, the screen and RAM stay.
    setLanguage(english) {
        this.session.setLanguage(english);
    }

    // Assembles the text and loads its code; `codeFile`: the text holds a code file's words, of
    // which no HLT is asked.
    assemble(source, codeFile = false) {
        return JSON.parse(this.session.assemble(source, codeFile));
    }

    // What assemble() said of the same text, in the language now set; nothing is loaded.
    retell(source, codeFile = false) {
        return JSON.parse(this.session.retell(source, codeFile));
    }

    // A code file's text as the loader reads it: { ok, code: its words, status: the loader's
    // line and message when it refuses one, tooLong: { words, ram } beyond RAM }.
    checkCode(text) {
        return JSON.parse(this.session.checkCode(text));
    }

    // Goes on for at most `steps` steps, starting a run (greeting, resets) when none is paused.
    continue(steps) {
        return JSON.parse(this.session.continue(steps));
    }

    // A new run (greeting, resets), paused before its first step.
    begin() {
        this.session.start();
        return { reason: 'stepped', state: this.state() };
    }

    // The step commands pause after at most ten million steps.
    step() { return JSON.parse(this.session.step()); }
    stepOver() { return JSON.parse(this.session.stepOver()); }
    stepOut() { return JSON.parse(this.session.stepOut()); }

    // Ends the program with the end message (at an earlier step, the run ends there).
    stop() { return JSON.parse(this.session.stop()); }

    back() { return JSON.parse(this.session.back()); }
    state() { return JSON.parse(this.session.state()); }

    // The execution log has a row for every step, and two for a step that read a number or
    // TRUE/FALSE: the input, then the instruction at the return address. The state gives their
    // count (rows) and the row the machine is at (row, -1 before the first step).
    // { step, input, address, text, changes, does } of a row; only step and input once the
    // history no longer holds it.
    explainRow(row) { return JSON.parse(this.session.explainRow(row)); }
    // The machine after the row's part of its step.
    goToRow(row) { return JSON.parse(this.session.goToRow(row)); }
    decode(address) { return JSON.parse(this.session.decode(address)); }
    // The program `source` checked against the text of the exercise file `file`, each case on a
    // machine of its own: { ok, title, columns, cases: [{ name, mayOpen, passed, verdict,
    // differences, steps, end }], passed, failed, summary, debugCase (the button's caption) }, or
    // { ok: false, title, error } for a file that cannot be read.
    checkExercise(source, exerciseText, file) {
        return JSON.parse(this.session.checkExercise(source, exerciseText, file));
    }
    // Case `index` of the exercise opened in the debugger with the editor's program, paused at
    // its first instruction: what assemble() answers, `opened` and the case's `notice`.
    debugCase(source, exerciseText, index) {
        return JSON.parse(this.session.debugCase(source, exerciseText, index));
    }

    typeLine(text) { this.session.typeLine(text); }
    typeKeys(text) { this.session.typeKeys(text); }

    setBreakpoints(lines) {
        this.breakLines = lines;
        this.session.setBreakpoints(JSON.stringify(lines));
    }
}
