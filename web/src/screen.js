// The machine's screen and keyboard. The screen shows the state's ten lines; while it has the
// focus, every key pressed goes to the program's keyboard buffer, once. When a run waits for a
// line (a number or TRUE/FALSE), a field for it shows under the screen and Enter sends it.
import { t } from './texts.js';

const kLines = 10;

// The key's character for the machine: Enter is 13, Backspace 8; keys that make no character
// (arrows, function keys) and keys with Ctrl or Alt are left to the page.
function keyText(event) {
    if (event.ctrlKey || event.altKey || event.metaKey) return null;
    if (event.key === 'Enter') return '\r';
    if (event.key === 'Backspace') return '\b';
    return [...event.key].length === 1 ? event.key : null;
}

export class Screen {
    constructor({ screen, hint, form, field, prompt }, { onKeys, onLine }) {
        this.screen = screen;
        this.hint = hint;
        this.form = form;
        this.field = field;
        this.prompt = prompt;
        this.rows = [];
        for (let i = 0; i < kLines; ++i) {
            const row = document.createElement('div');
            row.className = 'screen-line';
            this.rows.push(row);
            screen.append(row);
        }
        screen.addEventListener('keydown', (event) => {
            const text = keyText(event);
            if (text === null) return;
            event.preventDefault();
            onKeys(text);
        });
        form.addEventListener('submit', (event) => {
            event.preventDefault();
            const text = field.value;
            field.value = '';
            onLine(text);
        });
        this.wait = '';
    }

    show(state) {
        const lines = state.screen.slice(-kLines);
        this.rows.forEach((row, i) => {
            const text = i < lines.length ? lines[i].slice(1) : '';
            if (row.textContent !== text) row.textContent = text;
            row.hidden = i >= lines.length;
        });
    }

    // What the program waits for: 'line', 'key' or '' for nothing.
    setWait(wait) {
        this.wait = wait;
        this.form.hidden = wait !== 'line';
        this.screen.classList.toggle('waiting', wait === 'key');
        this.showHint();
        if (wait === 'line') this.field.focus();
        else if (wait === 'key') this.screen.focus();
    }

    showHint() {
        this.prompt.textContent = t('lineWait');
        this.hint.textContent = this.wait === 'key' ? t('keyWait') : '';
        this.hint.hidden = this.wait !== 'key';
    }
}
