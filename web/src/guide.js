// The student's guide in a dialog: guide/guide.LANG.md rendered from its Markdown, and beside it
// the reference card (guide/card.LANG.md, which prints on its own), the common mistakes and the
// lessons (lessons.js). Headings get the anchors the guide's contents link to, and every complete
// program in it has a button that opens it in the editor; in a lesson, each exercise's heading
// has the buttons that start and check it.
import { Marked } from 'marked';
import { t, isEnglish } from './texts.js';
import { Lessons } from './lessons.js';

// The anchor of a heading, as the guide's links write it: lower case, punctuation dropped,
// blanks become hyphens.
export function headingAnchor(text) {
    return text.toLowerCase().replace(/<[^>]*>/g, '').replace(/[^\p{L}\p{N}\s-]/gu, '').trim().replace(/\s/g, '-');
}

function escapeHtml(text) {
    return text.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
}

// `afterHeading(text, depth)` gives what follows a heading; `openText` names the caption of a
// program's button.
function renderer({ afterHeading = () => '', openText = 'openInEditor' } = {}) {
    const programs = [];
    const marked = new Marked({
        renderer: {
            heading({ tokens, depth, text }) {
                return `<h${depth} id="${escapeHtml(headingAnchor(text))}">${this.parser.parseInline(tokens)}</h${depth}>\n` +
                    afterHeading(text, depth);
            },
            code({ text, lang }) {
                const words = (lang ?? '').split(/\s+/);
                const body = `<pre><code>${escapeHtml(text)}</code></pre>`;
                if (words[0] !== 'asm' || !words.includes('program')) return body + '\n';
                programs.push(text);
                return `<div class="guide-program">${body}<button type="button" class="open-program" ` +
                    `data-program="${programs.length - 1}" data-t="${openText}"></button></div>\n`;
            },
        },
    });
    return { marked, programs };
}

// Where a page of the help comes from: the guide, the card, the mistakes, or lesson NAME
// ("lesson:NAME").
function pageSource(doc, language) {
    if (doc.startsWith('lesson:')) return `lessons/${language}/${doc.slice('lesson:'.length)}.md`;
    return `guide/${doc}.${language}.md`;
}

// Where a link of the help leads inside it: { doc, anchor } (doc undefined: this page), or null
// for a link that leaves the help. Lessons link to each other by file name, and to the guide and
// the common mistakes by their files' names.
function linkTarget(href) {
    const [path, anchor] = href.split('#');
    if (path === '') return { anchor };
    const help = /^\.\.\/\.\.\/(guide|mistakes|card)\.\w+\.md$/.exec(path);
    if (help) return { doc: help[1], anchor };
    const lesson = /^(\d\d-[\w-]+)\.md$/.exec(path);
    return lesson ? { doc: `lesson:${lesson[1]}`, anchor } : null;
}

export class Guide {
    // `onProgram(text)`: a program's button was pressed; `onExercise(name)` and `onCheck(name)`:
    // an exercise's.
    constructor({ dialog, body, close }, { onProgram, onExercise, onCheck }) {
        this.dialog = dialog;
        this.body = body;
        this.doc = 'guide';
        this.rendered = new Map();  // "doc.language" -> { html, programs }
        this.lessons = new Lessons();
        this.lessonsLoaded = this.lessons.load();
        close.addEventListener('click', () => dialog.close());
        for (const button of dialog.querySelectorAll('[data-doc]'))
            button.addEventListener('click', () => this.open(button.dataset.doc));
        body.addEventListener('click', (event) => {
            const open = event.target.closest('.open-program');
            if (open) {
                onProgram(this.programs[Number(open.dataset.program)], this.doc);
                return;
            }
            const lesson = event.target.closest('.lesson-link');
            if (lesson) {
                this.open(lesson.dataset.lesson ? `lesson:${lesson.dataset.lesson}` : 'lessons');
                return;
            }
            const exercise = event.target.closest('.start-exercise, .check-exercise');
            if (exercise) {
                (exercise.classList.contains('start-exercise') ? onExercise : onCheck)(exercise.dataset.exercise);
                return;
            }
            const link = event.target.closest('a[href]');
            const target = link && linkTarget(link.getAttribute('href'));
            if (target) {
                event.preventDefault();
                this.open(target.doc ?? this.doc).then(() => this.scrollTo(target.anchor));
            }
        });
    }

    scrollTo(anchor) {
        if (!anchor) return;
        this.body.querySelector(`[id="${CSS.escape(decodeURIComponent(anchor))}"]`)?.scrollIntoView({ block: 'start' });
    }

    // Shows `doc` (guide, card, mistakes, lessons: the list, or lesson:NAME); F1 shows the one
    // last shown.
    async open(doc = this.doc) {
        const language = isEnglish() ? 'en' : 'ru';
        if (!this.dialog.open) this.dialog.showModal();
        if (this.language === language && this.doc === doc) return;
        this.doc = doc;
        this.dialog.dataset.doc = doc.startsWith('lesson:') ? 'lessons' : doc;
        for (const button of this.dialog.querySelectorAll('[data-doc]'))
            button.setAttribute('aria-pressed', String(button.dataset.doc === this.dialog.dataset.doc));
        const page = await this.page(doc, language);
        if (this.doc !== doc) return;  // another page was asked for meanwhile
        if (!page) {
            this.body.textContent = t('guideLoadFailed');
            this.language = undefined;
            return;
        }
        this.language = language;
        this.programs = page.programs;
        this.body.innerHTML = page.html;
        for (const link of [...this.body.querySelectorAll('a[href]')].filter((a) => !linkTarget(a.getAttribute('href')))) {
            link.target = '_blank';
            link.rel = 'noopener';
        }
        this.retitle();
        this.body.scrollTop = 0;
    }

    // A page of the help rendered, from what was rendered before when it can; null when it
    // cannot be loaded.
    async page(doc, language) {
        await this.lessonsLoaded;
        if (doc === 'lessons') return { html: this.lessons.listHtml(language), programs: [] };
        const key = `${doc}.${language}`;
        if (this.rendered.has(key)) return this.rendered.get(key);
        try {
            const response = await fetch(pageSource(doc, language));
            if (!response.ok) throw new Error(response.statusText);
            const lesson = doc.startsWith('lesson:') ? doc.slice('lesson:'.length) : null;
            const { marked, programs } = renderer(lesson === null ? {} : {
                openText: 'openLessonProgram',
                afterHeading: (text, depth) => (depth === 2 ? this.lessons.exerciseButtons(lesson, language, text) : ''),
            });
            const before = lesson === null ? ''
                : '<button type="button" class="lesson-link lessons-back" data-t="allLessons"></button>\n';
            const page = { html: before + marked.parse(await response.text()), programs };
            this.rendered.set(key, page);
            return page;
        } catch {
            return null;
        }
    }

    // The buttons in the page's language; a page in the other language is loaded when opened.
    retitle() {
        for (const element of this.body.querySelectorAll('[data-t]')) element.textContent = t(element.dataset.t);
        if (this.dialog.open && this.language !== (isEnglish() ? 'en' : 'ru')) this.open();
    }
}
