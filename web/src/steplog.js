// The execution log: one row for each step of the current run, the newest last, at most the
// last kKept rows. A step that read a number or TRUE/FALSE has two rows with the same step
// number: the input, then the instruction it returned to. Only the rows in sight are built, each
// from the session's explanation of its row, so that a run of millions of steps costs no more
// than a short one. A click on a row takes the machine to the state after that row; from the
// keyboard the arrows move a cursor through the rows and Enter or Space picks one. Under the
// rows the current one is explained in full: the step told with its values, then the table's rule
// for its operation.
import { t } from './texts.js';
import { movedTo, picks } from './keymoves.js';

const kKept = 1000;
const kRowHeight = 26;  // px, the same as .log-row in style.css

function changeText(explanation) {
    return explanation?.changes ? explanation.changes.map(([what, before, after]) => `${what} ${before}→${after}`).join('  ') : '';
}

export class StepLog {
    constructor({ body, space, note, detail }, explain, onPick) {
        this.body = body;
        this.detail = detail;
        this.space = space;
        this.note = note;
        this.explain = explain;
        this.cache = new Map();
        this.first = 0;
        this.last = -1;
        this.current = -1;
        this.cursor = -1;
        this.rendered = '';
        this.onPick = onPick;
        body.addEventListener('scroll', () => this.render());
        body.addEventListener('keydown', (event) => this.keyDown(event));
        // Focus shows the cursor where it is, without scrolling: a click's row takes it next.
        body.addEventListener('focus', () => {
            this.cursor = this.cursorRow();
            this.markCursor();
        });
        body.addEventListener('click', (event) => {
            const row = event.target.closest('.log-row');
            if (!row) return;
            this.cursor = Number(row.dataset.row);
            onPick(this.cursor);
        });
        new ResizeObserver(() => this.render()).observe(body);
    }

    // A new program, run or language: no row is known.
    reset() {
        this.cache.clear();
        this.cursor = -1;
        this.rendered = '';
    }

    // The rows after `row` may now be other rows (the run went on from there).
    forgetAfter(row) {
        for (const key of this.cache.keys()) if (key > row) this.cache.delete(key);
        this.rendered = '';
    }

    show(state) {
        const all = state.rows;
        const last = all - 1;
        const current = state.row;
        let first = Math.max(0, all - kKept);
        let end = last;
        if (current >= 0 && current < first) {
            first = current;
            end = Math.min(last, first + kKept - 1);
        }
        const followed = this.body.scrollTop + this.body.clientHeight >= this.body.scrollHeight - kRowHeight;
        this.first = first;
        this.last = end;
        this.current = current;
        // The explanation first: its lines take their height from the rows' view.
        this.showDetail(current);
        const count = Math.max(0, end - first + 1);
        this.space.style.height = `${count * kRowHeight}px`;
        this.note.textContent = all > count && count > 0 ? t('logCapped', { n: count, all }) : '';
        this.body.classList.toggle('empty', count === 0);
        this.body.parentElement.style.setProperty('--step-digits', String(state.lastStep ?? 0).length);
        // Keep the current row in sight; follow the newest row while the log was at its end.
        const currentTop = (current - first) * kRowHeight;
        if (current >= first && current <= end &&
            (currentTop < this.body.scrollTop || currentTop + kRowHeight > this.body.scrollTop + this.body.clientHeight)) {
            this.body.scrollTop = currentTop - this.body.clientHeight + 2 * kRowHeight;
        } else if (followed && current === end) {
            this.body.scrollTop = this.body.scrollHeight;
        }
        this.rendered = '';
        this.render();
    }

    showDetail(row) {
        const explanation = row >= 0 ? this.explanation(row) : null;
        if (!explanation?.text) {
            this.detail.replaceChildren();
            return;
        }
        const head = document.createElement('code');
        head.textContent = `${explanation.step} · ${explanation.address} · ${explanation.text}`;
        const changes = document.createElement('span');
        changes.className = 'changes';
        changes.textContent = changeText(explanation);
        const story = document.createElement('span');
        story.className = 'story';
        story.textContent = explanation.story;
        this.detail.replaceChildren(head, changes, story, explanation.does);
    }

    explanation(row) {
        let explanation = this.cache.get(row);
        if (explanation === undefined) {
            explanation = this.explain(row);
            this.cache.set(row, explanation);
        }
        return explanation;
    }

    render() {
        const count = Math.max(0, this.last - this.first + 1);
        const top = Math.floor(this.body.scrollTop / kRowHeight);
        const from = this.first + Math.max(0, top - 2);
        const to = Math.min(this.last, this.first + top + Math.ceil(this.body.clientHeight / kRowHeight) + 2);
        const key = `${from}:${to}:${this.current}:${count}`;
        if (key === this.rendered) return;
        this.rendered = key;
        const rows = [];
        for (let row = from; row <= to; ++row) rows.push(this.row(row));
        this.space.replaceChildren(...rows);
        this.markCursor();
    }

    // Marks the keyboard's cursor row in place: the rows stay, so that a click goes on to the
    // row it began on.
    markCursor() {
        for (const row of this.space.children) row.classList.toggle('cursor', Number(row.dataset.row) === this.cursor);
        const cursor = document.getElementById(`log-row-${this.cursor}`);
        if (cursor) this.body.setAttribute('aria-activedescendant', cursor.id);
        else this.body.removeAttribute('aria-activedescendant');
    }

    row(index) {
        const explanation = this.explanation(index);
        const row = document.createElement('div');
        row.className = 'log-row';
        if (index === this.current) row.classList.add('current');
        if (index > this.current) row.classList.add('future');
        row.id = `log-row-${index}`;
        row.setAttribute('role', 'option');
        row.setAttribute('aria-selected', String(index === this.current));
        row.dataset.row = index;
        row.dataset.step = explanation?.step ?? '';
        if (explanation?.input) row.dataset.input = '';
        row.style.top = `${(index - this.first) * kRowHeight}px`;
        const cells = [String(explanation?.step ?? ''), explanation?.address ?? '', explanation?.text ?? '…', changeText(explanation),
            explanation?.story ?? ''];
        for (const text of cells) {
            const cell = document.createElement('span');
            cell.textContent = text;
            cell.title = text;
            row.append(cell);
        }
        return row;
    }

    // The row the keyboard's cursor is on: the one it was left on while that is still shown, else
    // the current row, else the newest.
    cursorRow() {
        if (this.cursor >= this.first && this.cursor <= this.last) return this.cursor;
        return this.current >= this.first && this.current <= this.last ? this.current : this.last;
    }

    keyDown(event) {
        if (this.last < this.first) return;
        const cursor = this.cursorRow();
        if (picks(event)) {
            event.preventDefault();
            this.onPick(cursor);
            return;
        }
        const page = Math.max(1, Math.floor(this.body.clientHeight / kRowHeight) - 1);
        const to = movedTo(event.key, cursor - this.first, this.last - this.first + 1, { page });
        if (to === null) return;
        event.preventDefault();
        this.moveCursor(this.first + to);
    }

    // The cursor onto `row`, scrolled into sight.
    moveCursor(row) {
        if (row < this.first || row > this.last) return;
        this.cursor = row;
        const top = (row - this.first) * kRowHeight;
        if (top < this.body.scrollTop) this.body.scrollTop = top;
        else if (top + kRowHeight > this.body.scrollTop + this.body.clientHeight)
            this.body.scrollTop = top + kRowHeight - this.body.clientHeight;
        this.render();
        this.markCursor();
    }
}
