// Syntax colours for the assembler text, read the way the assembler reads a line: a label
// (NAME:) or a constant (NAME =), the operation, its operands, a comment from ";". After DS the
// rest of the line up to ";" is the string. The colours are those of the desktop editor.
// The assembler takes only blanks as blanks: a tab belongs to the name beside it, so a word a tab
// precedes or follows is no operation and is not coloured as one. The operations' names come from
// the core's instruction table once it has loaded; until then only the preprocessor's RW and DS
// are known.
import { StreamLanguage, HighlightStyle, syntaxHighlighting } from '@codemirror/language';
import { tags } from '@lezer/highlight';

const directives = ['RW', 'DS'];
const registers = new Set(['R0', 'R1', 'R2', 'R3', 'PC', 'SP']);

const nameChars = /^[\p{L}\p{N}_@.]+/u;

const asmParser = (operations) => ({
    name: 'q42asm',
    startState: () => ({ first: true, string: false, tab: false }),
    token(stream, state) {
        if (stream.sol()) {
            state.first = true;
            state.string = false;
            state.tab = false;
        }
        if (state.string) {
            state.string = false;
            if (stream.match(/^[^;]+/)) return 'string';
        }
        if (stream.match(/^ +/)) {
            state.tab = false;
            return null;
        }
        if (stream.eat('\t')) {
            // Glued to the word after it; alone, the tab is itself the name in the operation's place.
            state.tab = !stream.eol() && stream.peek() !== ' ';
            if (!state.tab) state.first = false;
            return null;
        }
        const afterTab = state.tab;
        state.tab = false;
        if (stream.peek() === ';') {
            stream.skipToEnd();
            return 'comment';
        }
        // A character: #'c', its code.
        if (stream.match(/^#'.'?/u)) return 'character';
        if (stream.match(/^-?[\p{N}][\p{L}\p{N}_@.]*/u)) {
            state.first = false;
            return 'number';
        }
        if (stream.match(nameChars)) {
            const word = stream.current().toUpperCase();
            if (stream.match(/^\s*:/) || stream.match(/^\s*(?==)/)) return 'labelName';
            const first = state.first;
            state.first = false;
            if (first && word === 'DS') {
                stream.eat(' ');
                state.string = true;
                return 'keyword';
            }
            if (first && operations.has(word)) return afterTab || stream.peek() === '\t' ? 'variableName' : 'keyword';
            if (word === 'LEN') return 'standard';
            if (registers.has(word) || /^P\.?\d+$/.test(word)) return 'atom';
            return 'variableName';
        }
        stream.next();
        return 'operator';
    },
    tokenTable: { standard: tags.standard(tags.name) },
});

// The language that colours these operation names.
export function asmLanguage(operationNames) {
    return StreamLanguage.define(asmParser(new Set([...operationNames, ...directives])));
}

const style = HighlightStyle.define([
    { tag: tags.keyword, color: '#1f4e9c', fontWeight: 'bold' },
    { tag: tags.atom, color: '#7a3e9d' },
    { tag: tags.number, color: '#a05a00' },
    { tag: tags.labelName, color: '#2e7d32', fontWeight: 'bold' },
    { tag: [tags.string, tags.character], color: '#b03a2e' },
    { tag: tags.comment, color: '#6b6b6b', fontStyle: 'italic' },
    { tag: tags.standard(tags.name), color: '#1f4e9c' },
    { tag: tags.operator, color: '#555' },
]);

export const asmHighlighting = syntaxHighlighting(style);
