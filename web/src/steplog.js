// The execution log: one row for each step of the current run, the newest last, at most the
// last kKept steps. Only the rows in sight are built, each from the session's explanation of
// its step, so that a run of millions of steps costs no more than a short one. A click on a
// row takes the machine to the state after that step. Under the rows the current step is
// explained in full.
import { t } from './texts.js';

const kKept = 1000;
const kRowHeight = 26;  // px, the same as .log-row in style.css

function changeText(explanation) {
    return explanation ? explanation.changes.map(([what, before, after]) => `${what} ${before}→${after}`).join('  ') : '';
}

export class StepLog {
    constructor({ body, space, note, detail }, explain, onPick) {
        this.body = body;
        this.detail = detail;
        this.space = space;
        this.note = note;
        this.explain = explain;
        this.cache = new Map();
        this.first = 1;
        this.last = 0;
        this.current = 0;
        this.rendered = '';
        body.addEventListener('scroll', () => this.render());
        body.addEventListener('click', (event) => {
            const row = event.target.closest('.log-row');
            if (row) onPick(Number(row.dataset.step));
        });
        new ResizeObserver(() => this.render()).observe(body);
    }

    // A new program, run or language: no step is known.
    reset() {
        this.cache.clear();
        this.rendered = '';
    }

    // The steps after `step` may now be other steps (the run went on from there).
    forgetAfter(step) {
        for (const key of this.cache.keys()) if (key > step) this.cache.delete(key);
        this.rendered = '';
    }

    show(state) {
        const last = state.lastStep;
        const current = state.step;
        let first = Math.max(1, last - kKept + 1);
        let end = last;
        if (current > 0 && current < first) {
            first = current;
            end = Math.min(last, first + kKept - 1);
        }
        const followed = this.body.scrollTop + this.body.clientHeight >= this.body.scrollHeight - kRowHeight;
        this.first = first;
        this.last = end;
        this.current = current;
        const count = Math.max(0, end - first + 1);
        this.space.style.height = `${count * kRowHeight}px`;
        this.note.textContent = last > count && count > 0 ? t('logCapped', { n: count, all: last }) : '';
        this.body.classList.toggle('empty', count === 0);
        // Keep the current step in sight; follow the newest step while the log was at its end.
        const currentTop = (current - first) * kRowHeight;
        if (current >= first && current <= end &&
            (currentTop < this.body.scrollTop || currentTop + kRowHeight > this.body.scrollTop + this.body.clientHeight)) {
            this.body.scrollTop = currentTop - this.body.clientHeight + 2 * kRowHeight;
        } else if (followed && current === end) {
            this.body.scrollTop = this.body.scrollHeight;
        }
        this.rendered = '';
        this.render();
        this.showDetail(current);
    }

    showDetail(step) {
        const explanation = step > 0 ? this.explanation(step) : null;
        if (!explanation) {
            this.detail.replaceChildren();
            return;
        }
        const head = document.createElement('code');
        head.textContent = `${step} · ${explanation.address} · ${explanation.text}`;
        const changes = document.createElement('span');
        changes.className = 'changes';
        changes.textContent = changeText(explanation);
        this.detail.replaceChildren(head, changes, explanation.does);
    }

    explanation(step) {
        let explanation = this.cache.get(step);
        if (explanation === undefined) {
            explanation = this.explain(step);
            this.cache.set(step, explanation);
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
        for (let step = from; step <= to; ++step) rows.push(this.row(step));
        this.space.replaceChildren(...rows);
    }

    row(step) {
        const explanation = this.explanation(step);
        const row = document.createElement('div');
        row.className = 'log-row';
        if (step === this.current) row.classList.add('current');
        if (step > this.current) row.classList.add('future');
        row.dataset.step = step;
        row.style.top = `${(step - this.first) * kRowHeight}px`;
        const cells = [String(step), explanation?.address ?? '', explanation?.text ?? '…', changeText(explanation),
            explanation?.does ?? ''];
        for (const text of cells) {
            const cell = document.createElement('span');
            cell.textContent = text;
            cell.title = text;
            row.append(cell);
        }
        return row;
    }
}
