// The student's guide in a dialog: guide/guide.LANG.md rendered from its Markdown, and beside it
// the reference card (guide/card.LANG.md, which prints on its own) and the common mistakes.
// Headings get the anchors the guide's contents link to, and every complete program in it has a
// button that opens it in the editor.
import { Marked } from 'marked';
import { t, isEnglish } from './texts.js';

// The anchor of a heading, as the guide's links write it: lower case, punctuation dropped,
// blanks become hyphens.
export function headingAnchor(text) {
    return text.toLowerCase().replace(/<[^>]*>/g, '').replace(/[^\p{L}\p{N}\s-]/gu, '').trim().replace(/\s/g, '-');
}

function escapeHtml(text) {
    return text.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
}

function renderer() {
    const programs = [];
    const marked = new Marked({
        renderer: {
            heading({ tokens, depth, text }) {
                return `<h${depth} id="${escapeHtml(headingAnchor(text))}">${this.parser.parseInline(tokens)}</h${depth}>\n`;
            },
            code({ text, lang }) {
                const words = (lang ?? '').split(/\s+/);
                const body = `<pre><code>${escapeHtml(text)}</code></pre>`;
                if (words[0] !== 'asm' || !words.includes('program')) return body + '\n';
                programs.push(text);
                return `<div class="guide-program">${body}<button type="button" class="open-program" ` +
                    `data-program="${programs.length - 1}"></button></div>\n`;
            },
        },
    });
    return { marked, programs };
}

export class Guide {
    constructor({ dialog, body, close }, onProgram) {
        this.dialog = dialog;
        this.body = body;
        this.doc = 'guide';
        this.rendered = new Map();  // "doc.language" -> { html, programs }
        close.addEventListener('click', () => dialog.close());
        for (const button of dialog.querySelectorAll('[data-doc]'))
            button.addEventListener('click', () => this.open(button.dataset.doc));
        body.addEventListener('click', (event) => {
            const open = event.target.closest('.open-program');
            if (open) {
                onProgram(this.programs[Number(open.dataset.program)]);
                dialog.close();
                return;
            }
            const link = event.target.closest('a[href^="#"]');
            if (link) {
                event.preventDefault();
                body.querySelector(`[id="${CSS.escape(decodeURIComponent(link.getAttribute('href').slice(1)))}"]`)
                    ?.scrollIntoView({ block: 'start' });
            }
        });
    }

    // Shows `doc` (guide, card or mistakes); F1 shows the one last shown.
    async open(doc = this.doc) {
        const language = isEnglish() ? 'en' : 'ru';
        if (!this.dialog.open) this.dialog.showModal();
        if (this.language === language && this.doc === doc) return;
        this.doc = doc;
        this.dialog.dataset.doc = doc;
        for (const button of this.dialog.querySelectorAll('[data-doc]'))
            button.setAttribute('aria-pressed', String(button.dataset.doc === doc));
        const key = `${doc}.${language}`;
        let page = this.rendered.get(key);
        if (!page) {
            try {
                const response = await fetch(`guide/${key}.md`);
                if (!response.ok) throw new Error(response.statusText);
                const { marked, programs } = renderer();
                page = { html: marked.parse(await response.text()), programs };
                this.rendered.set(key, page);
            } catch {
                this.body.textContent = t('guideLoadFailed');
                this.language = undefined;
                return;
            }
        }
        this.language = language;
        this.programs = page.programs;
        this.body.innerHTML = page.html;
        for (const link of this.body.querySelectorAll('a[href]:not([href^="#"])')) {
            link.target = '_blank';
            link.rel = 'noopener';
        }
        this.retitle();
        this.body.scrollTop = 0;
    }

    // The buttons in the page's language; a guide in the other language is loaded when opened.
    retitle() {
        for (const button of this.body.querySelectorAll('.open-program')) button.textContent = t('openInEditor');
        if (this.dialog.open && this.language !== (isEnglish() ? 'en' : 'ru')) this.open();
    }
}
