// The assembler editor: CodeMirror with line numbers, the assembler's colours, breakpoints
// in a gutter of their own (a click on it or on a line number sets or clears one), the line of
// the last assembler error and the line being run.
import { EditorState, StateEffect, StateField, RangeSet } from '@codemirror/state';
import {
    EditorView, Decoration, GutterMarker, gutter, keymap, lineNumbers,
    highlightActiveLine, highlightActiveLineGutter, drawSelection,
} from '@codemirror/view';
import { defaultKeymap, history, historyKeymap, indentWithTab } from '@codemirror/commands';
import { asmLanguage, asmHighlighting } from './syntax.js';

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

export class Editor {
    // `onChange(text)` follows every edit; `onBreakpoints(lines)` every change of breakpoints.
    constructor(parent, { text, breakLines, onChange, onBreakpoints, label }) {
        this.onBreakpoints = onBreakpoints;
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
                    asmLanguage,
                    asmHighlighting,
                    keymap.of([indentWithTab, ...defaultKeymap, ...historyKeymap]),
                    EditorView.contentAttributes.of({ 'aria-label': label }),
                    EditorView.updateListener.of((update) => {
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

    // The tooltip of the gutters, where a click sets or clears a breakpoint.
    setGutterTip(text) {
        for (const gutterElement of this.view.dom.querySelectorAll('.cm-breakpoint-gutter, .cm-lineNumbers'))
            gutterElement.title = text;
    }
}
