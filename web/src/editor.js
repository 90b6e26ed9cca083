// The assembler editor: CodeMirror with line numbers, the assembler's colours, breakpoints
// in a gutter of their own (a click on it or on a line number sets or clears one), the line of
// the last assembler error and the line being run.
//
// The assembler takes only blanks between the parts of a line, never a tab, so Tab types blanks
// up to the next multiple of eight columns and Shift+Tab takes them back; with a selection they
// indent and unindent its lines by eight blanks. A tab that came in from a file or a paste stays
// as it is and is drawn as a faint arrow. Escape, then Tab, leaves the editor (CodeMirror's
// tab focus mode), so the page stays usable from the keyboard.
import { EditorState, EditorSelection, StateEffect, StateField, RangeSet, Compartment, countColumn } from '@codemirror/state';
import {
    EditorView, Decoration, GutterMarker, MatchDecorator, ViewPlugin, gutter, keymap, lineNumbers,
    highlightActiveLine, highlightActiveLineGutter, drawSelection,
} from '@codemirror/view';
import { defaultKeymap, history, historyKeymap } from '@codemirror/commands';
import { indentUnit } from '@codemirror/language';
import { asmLanguage, asmHighlighting } from './syntax.js';

export const kTabColumns = 8;

const toggleBreakpoint = StateEffect.define({ map: (pos, mapping) => mapping.mapPos(pos) });
const setBreakpoints = StateEffect.define();

class BreakpointMarker extends GutterMarker {
    toDOM() {
        const dot = document.createElement('span');
        dot.className = 'cm-breakpoint-dot';
        return dot;
    }
}
const breakpointMarker = new BreakpointMarker();

const breakpoints = StateField.define({
    create: () => RangeSet.empty,
    update(set, tr) {
        set = set.map(tr.changes);
        for (const effect of tr.effects) {
            if (effect.is(setBreakpoints)) {
                set = RangeSet.of(effect.value.map((pos) => breakpointMarker.range(pos)), true);
            } else if (effect.is(toggleBreakpoint)) {
                let on = false;
                set.between(effect.value, effect.value, () => { on = true; });
                set = on ? set.update({ filter: (from) => from !== effect.value })
                    : set.update({ add: [breakpointMarker.range(effect.value)] });
            }
        }
        return set;
    },
});

// A line marked with a class: the error line or the line being run. Each is set by its effect
// with a line number (0 clears it) and moves with the text while it is edited.
function lineMark(className) {
    const set = StateEffect.define();
    const field = StateField.define({
        create: () => Decoration.none,
        update(marks, tr) {
            marks = marks.map(tr.changes);
            for (const effect of tr.effects) {
                if (!effect.is(set)) continue;
                const line = effect.value;
                marks = line > 0 && line <= tr.state.doc.lines
                    ? Decoration.set([Decoration.line({ class: className }).range(tr.state.doc.line(line).from)])
                    : Decoration.none;
            }
            return marks;
        },
        provide: (f) => EditorView.decorations.from(f),
    });
    return { set, field };
}

const errorLine = lineMark('cm-error-line');
const runLine = lineMark('cm-run-line');

// Every tab character marked, so that the style draws it as an arrow.
const tabMarks = new MatchDecorator({
    regexp: /\t/g,
    decoration: () => Decoration.mark({ class: 'cm-tab-char' }),
});
const showTabs = ViewPlugin.fromClass(class {
    constructor(view) { this.decorations = tabMarks.createDeco(view); }
    update(update) { this.decorations = tabMarks.updateDeco(update, this.decorations); }
}, { decorations: (plugin) => plugin.decorations });

function column(line, pos) {
    return countColumn(line.text, kTabColumns, pos - line.from);
}

// The lines a selection covers: a selection that ends at the start of a line leaves that line out.
function selectedLines(state) {
    const lines = new Set();
    for (const range of state.selection.ranges) {
        if (range.empty) continue;
        const first = state.doc.lineAt(range.from).number;
        let last = state.doc.lineAt(range.to).number;
        if (last > first && state.doc.line(last).from === range.to) --last;
        for (let n = first; n <= last; ++n) lines.add(n);
    }
    return [...lines].sort((a, b) => a - b).map((n) => state.doc.line(n));
}

// Tab: blanks up to the next multiple of eight columns at each caret; with a selection, eight
// blanks before each selected line that holds anything.
function tabForward(view) {
    const { state } = view;
    if (state.readOnly) return false;
    if (state.selection.ranges.some((range) => !range.empty)) {
        const changes = selectedLines(state).filter((line) => line.length > 0)
            .map((line) => ({ from: line.from, insert: ' '.repeat(kTabColumns) }));
        if (changes.length) view.dispatch({ changes, userEvent: 'input.indent', scrollIntoView: true });
        return true;
    }
    view.dispatch(state.changeByRange((range) => {
        const line = state.doc.lineAt(range.head);
        const blanks = kTabColumns - column(line, range.head) % kTabColumns;
        return {
            changes: { from: range.head, insert: ' '.repeat(blanks) },
            range: EditorSelection.cursor(range.head + blanks),
        };
    }), { userEvent: 'input.indent', scrollIntoView: true });
    return true;
}

// Shift+Tab: the blanks before each caret back to the previous multiple of eight columns (only
// blanks go); with a selection, up to eight leading blanks of each selected line.
function tabBack(view) {
    const { state } = view;
    if (state.readOnly) return false;
    if (state.selection.ranges.some((range) => !range.empty)) {
        const changes = [];
        for (const line of selectedLines(state)) {
            const blanks = /^ */.exec(line.text)[0].length;
            if (blanks > 0) changes.push({ from: line.from, to: line.from + Math.min(blanks, kTabColumns) });
        }
        if (changes.length) view.dispatch({ changes, userEvent: 'delete.dedent', scrollIntoView: true });
        return true;
    }
    view.dispatch(state.changeByRange((range) => {
        const line = state.doc.lineAt(range.head);
        const at = column(line, range.head);
        const stop = at % kTabColumns === 0 ? Math.max(0, at - kTabColumns) : at - at % kTabColumns;
        let from = range.head;
        while (from > line.from && at - (range.head - from) > stop && state.doc.sliceString(from - 1, from) === ' ')
            --from;
        return { changes: { from, to: range.head }, range: EditorSelection.cursor(from) };
    }), { userEvent: 'delete.dedent', scrollIntoView: true });
    return true;
}

// A change the user made that took the whole text away at once (select all, then type, paste or
// delete): a new program, not an edit of the old one.
function replacesWhole(tr) {
    if (!tr.docChanged || tr.startState.doc.length === 0) return false;
    if (!tr.isUserEvent('input') && !tr.isUserEvent('delete')) return false;
    let whole = false;
    tr.changes.iterChangedRanges((fromA, toA) => {
        if (fromA === 0 && toA === tr.startState.doc.length) whole = true;
    });
    return whole;
}

export class Editor {
    // `onChange(text)` follows every edit; `onBreakpoints(lines)` every change of breakpoints;
    // `onReplaced()` an edit that replaced the whole text.
    constructor(parent, { text, breakLines, onChange, onBreakpoints, onReplaced = () => {}, label }) {
        this.onBreakpoints = onBreakpoints;
        this.label = new Compartment();
        this.language = new Compartment();
        const toggleAt = (view, line) => {
            view.dispatch({ effects: toggleBreakpoint.of(line.from) });
            return true;
        };
        let lastLines = '';
        this.view = new EditorView({
            parent,
            state: EditorState.create({
                doc: text,
                extensions: [
                    breakpoints,
                    gutter({
                        class: 'cm-breakpoint-gutter',
                        markers: (view) => view.state.field(breakpoints),
                        initialSpacer: () => breakpointMarker,
                        domEventHandlers: { mousedown: toggleAt },
                    }),
                    lineNumbers({ domEventHandlers: { mousedown: toggleAt } }),
                    errorLine.field,
                    runLine.field,
                    history(),
                    drawSelection(),
                    highlightActiveLine(),
                    highlightActiveLineGutter(),
                    this.language.of(asmLanguage([])),
                    asmHighlighting,
                    EditorState.tabSize.of(kTabColumns),
                    indentUnit.of(' '.repeat(kTabColumns)),
                    showTabs,
                    keymap.of([{ key: 'Tab', run: tabForward, shift: tabBack }, ...defaultKeymap, ...historyKeymap]),
                    this.label.of(this.labelAttributes(label)),
                    EditorView.updateListener.of((update) => {
                        if (update.transactions.some(replacesWhole)) onReplaced();
                        if (update.docChanged) onChange(update.state.doc.toString());
                        const lines = JSON.stringify(this.breakLines());
                        if (lines !== lastLines) {
                            lastLines = lines;
                            this.onBreakpoints(this.breakLines());
                        }
                    }),
                ],
            }),
        });
        this.setBreakLines(breakLines);
    }

    text() {
        return this.view.state.doc.toString();
    }

    // Replaces the whole text as one edit, so that Ctrl+Z brings the old text back; the
    // breakpoints belonged to the old text and go.
    replaceText(text) {
        this.shownRunLine = 0;
        this.view.dispatch({
            changes: { from: 0, to: this.view.state.doc.length, insert: text },
            selection: { anchor: 0 },
            effects: [setBreakpoints.of([]), errorLine.set.of(0), runLine.set.of(0), EditorView.scrollIntoView(0)],
        });
    }

    // F2: sets or clears the breakpoint on the caret's line.
    toggleBreakpointAtCaret() {
        const { state } = this.view;
        this.view.dispatch({ effects: toggleBreakpoint.of(state.doc.lineAt(state.selection.main.head).from) });
    }

    // The lines with a breakpoint, 1-based, each once.
    breakLines() {
        const lines = new Set();
        const doc = this.view.state.doc;
        this.view.state.field(breakpoints).between(0, doc.length, (from) => {
            lines.add(doc.lineAt(from).number);
        });
        return [...lines].sort((a, b) => a - b);
    }

    setBreakLines(lines) {
        const doc = this.view.state.doc;
        const positions = lines.filter((line) => line >= 1 && line <= doc.lines).map((line) => doc.line(line).from);
        this.view.dispatch({ effects: setBreakpoints.of(positions) });
    }

    markError(line) {
        const effects = [errorLine.set.of(line)];
        if (line > 0 && line <= this.view.state.doc.lines)
            effects.push(EditorView.scrollIntoView(this.view.state.doc.line(line).from, { y: 'center' }));
        this.view.dispatch({ effects });
    }

    // Highlights the line being run (0: none) and keeps it in sight.
    showRunLine(line) {
        if (line === this.shownRunLine) return;
        this.shownRunLine = line;
        const effects = [runLine.set.of(line)];
        if (line > 0 && line <= this.view.state.doc.lines)
            effects.push(EditorView.scrollIntoView(this.view.state.doc.line(line).from, { y: 'nearest', yMargin: 40 }));
        this.view.dispatch({ effects });
    }

    // The editor's accessible name, in the page's language.
    setLabel(text) {
        this.view.dispatch({ effects: this.label.reconfigure(this.labelAttributes(text)) });
    }

    // The name, and the note under the editor that tells how to leave it from the keyboard.
    labelAttributes(label) {
        return EditorView.contentAttributes.of({ 'aria-label': label, 'aria-describedby': 'editor-keys' });
    }

    // The operations to colour, once the core can name them.
    setOperationNames(names) {
        this.view.dispatch({ effects: this.language.reconfigure(asmLanguage(names)) });
    }

    // The tooltip of the gutters, where a click sets or clears a breakpoint.
    setGutterTip(text) {
        for (const gutterElement of this.view.dom.querySelectorAll('.cm-breakpoint-gutter, .cm-lineNumbers'))
            gutterElement.title = text;
    }
}
