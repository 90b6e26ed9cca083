// The lessons in the help: lessons/index.json lists them with their titles and exercises in both
// languages, as the core reads them from the lessons' texts when the site is built; a lesson is
// lessons/LANG/NAME.md, and each exercise has its starting text lessons/EXERCISE.asm and its
// check file lessons/EXERCISE.q42test. Checking shows each case's verdict and differences, as
// the desktop program's results window does.
import { fetchList } from './files.js';
import { t } from './texts.js';

function escapeHtml(text) {
    return String(text).replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
}

export class Lessons {
    constructor() {
        this.list = [];
    }

    async load() {
        this.list = await fetchList('lessons/index.json');
    }

    find(name) {
        return this.list.find((lesson) => lesson.name === name);
    }

    // The list of lessons, in `language`, each a button that opens it.
    listHtml(language) {
        if (this.list.length === 0) return `<p>${escapeHtml(t('lessonsLoadFailed'))}</p>`;
        const items = this.list.map((lesson) =>
            `<li><button type="button" class="lesson-link" data-lesson="${escapeHtml(lesson.name)}">` +
            `${escapeHtml(lesson.title[language])}</button></li>`);
        return `<h1 data-t="lessonsTitle"></h1>\n<ol class="lesson-list">${items.join('')}</ol>\n`;
    }

    // The buttons under a heading of lesson `name` in `language` when the heading is one of its
    // exercises ("Exercise K: Title"); nothing for any other heading.
    exerciseButtons(name, language, heading) {
        const exercise = this.find(name)?.exercises[language]
            .find(({ number, title }) => heading.endsWith(` ${number}: ${title}`))?.name;
        if (!exercise) return '';
        return `<div class="exercise-actions">` +
            `<button type="button" class="start-exercise" data-exercise="${escapeHtml(exercise)}" data-t="startExercise"></button>` +
            `<button type="button" class="check-exercise" data-exercise="${escapeHtml(exercise)}" data-t="checkExercise"></button>` +
            `</div>\n`;
    }
}

// An exercise's file: its starting text (.asm) or its check file (.q42test); null when it
// cannot be fetched.
export async function exerciseFile(name, extension) {
    try {
        const response = await fetch(`lessons/${name}.${extension}`);
        return response.ok ? await response.text() : null;
    } catch {
        return null;
    }
}

// The results of a check in their dialog: the title, a row for each case with its verdict and
// differences, and the summary; or what is wrong with the check file. A failed case that may be
// opened has a "Debug this case" button: the dialog closes and `onDebug(index)` opens it.
export class CheckResults {
    constructor({ dialog, title, table, error, summary, close }, onDebug) {
        this.elements = { dialog, title, table, error, summary };
        close.addEventListener('click', () => dialog.close());
        table.addEventListener('click', (event) => {
            const button = event.target.closest('button.debug-case');
            if (!button) return;
            dialog.close();
            onDebug(Number(button.dataset.case));
        });
    }

    show(result) {
        const { dialog, title, table, error, summary } = this.elements;
        title.textContent = result.title;
        error.hidden = result.ok;
        error.textContent = result.ok ? '' : result.error;
        table.hidden = !result.ok;
        summary.hidden = !result.ok;
        dialog.dataset.verdict = !result.ok ? 'error' : result.failed === 0 ? 'pass' : 'fail';
        if (result.ok) {
            table.tHead.rows[0].replaceChildren(...result.columns.map((column) => cell('th', column)));
            table.tBodies[0].replaceChildren(...result.cases.map((c, i) => caseRow(c, i, result.debugCase)));
            summary.textContent = result.summary;
        }
        if (!dialog.open) dialog.showModal();
        dialog.querySelector('button').focus();
    }
}

function cell(tag, text, className = '') {
    const element = document.createElement(tag);
    element.textContent = text;
    if (className) element.className = className;
    return element;
}

function caseRow(result, index, debugLabel) {
    const row = document.createElement('tr');
    row.className = result.passed ? 'pass' : 'fail';
    const differences = cell('td', '', 'differences');
    for (const difference of result.differences) differences.append(cell('div', difference));
    // A failed case may be opened in the debugger to see why.
    if (!result.passed && result.mayOpen) {
        const debug = cell('button', debugLabel, 'debug-case');
        debug.type = 'button';
        debug.dataset.case = String(index);
        differences.append(debug);
    }
    row.append(cell('td', result.name), cell('td', result.verdict, 'verdict'), differences);
    return row;
}
