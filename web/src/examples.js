// The examples menu: examples/index.json lists the programs of examples/, each with the first
// line of its comment in both languages as its title; choosing one opens its text in the editor.
import { fetchList } from './files.js';
import { t, isEnglish } from './texts.js';

export class Examples {
    constructor(select, onOpen) {
        this.select = select;
        this.list = [];
        select.addEventListener('change', async () => {
            const entry = this.list.find((example) => example.name === select.value);
            select.value = '';
            if (!entry) return;
            const response = await fetch(`examples/${entry.file}`);
            if (response.ok) onOpen(entry, await response.text());
        });
    }

    async load() {
        this.list = await fetchList('examples/index.json');
        this.fill();
    }

    title(entry) {
        return isEnglish() ? entry.title.en : entry.title.ru;
    }

    // The menu in the page's language.
    fill() {
        const first = new Option(t('examples'), '');
        first.disabled = true;
        const options = this.list.map((entry) => {
            return new Option(this.title(entry), entry.name);
        });
        this.select.replaceChildren(first, ...options);
        this.select.value = '';
    }
}
