// The program's file: the name the editor's text is saved under (none for an example's text or a
// new program, and then Save asks for one), whether the text holds a code file's words, and the
// text kept in the browser between visits. When the browser's storage is full the text stays in
// the editor as it is; the user is told once, with a button that saves it to a file, and leaving
// the page asks first while the text is kept nowhere.
import { t } from './texts.js';
import { stored, saveFile } from './files.js';

export class ProgramFile {
    // `text()` gives the editor's text.
    constructor({ title, note, noteSave, noteDismiss, dialog, field, cancel }, text) {
        this.elements = { title, note, dialog, field };
        this.text = text;
        this.name = stored.get('fileName', null);
        this.codeFile = stored.get('codeFile', false);
        this.told = false;      // the user was told that the browser keeps the text no more
        this.notKept = false;   // the editor's text is not in the browser's storage
        this.savedText = null;  // the text last saved to a file, or put in whole from elsewhere
        noteSave.addEventListener('click', () => this.saveAsm());
        noteDismiss.addEventListener('click', () => { note.hidden = true; });
        cancel.addEventListener('click', () => dialog.close(''));
        window.addEventListener('beforeunload', (event) => {
            if (this.notKept && this.text() !== this.savedText) event.preventDefault();
        });
        this.show();
    }

    // The name in the panel's title, in the page's language when there is none.
    show() {
        this.elements.title.textContent = this.name ?? t('untitled');
        this.elements.title.classList.toggle('untitled', this.name === null);
    }

    // The file the text belongs to: `name` null for none; `codeFile` when the text holds a code
    // file's words.
    set(name, codeFile = false) {
        this.name = name;
        this.codeFile = codeFile;
        stored.set('fileName', name);
        stored.set('codeFile', codeFile);
        this.show();
    }

    // The editor's text was put in whole from elsewhere (a file, an example, a lesson): nothing of
    // the user's own is in it yet.
    settle() {
        this.savedText = this.text();
    }

    // Whether putting `text` into the editor would replace work of the user's that is in no file.
    wouldLose(text) {
        const now = this.text();
        return now.trim() !== '' && now !== text && now !== this.savedText;
    }

    baseName() {
        return (this.name ?? '').replace(/\.[^.]*$/, '');
    }

    // Keeps the editor's text in the browser, or tells once that it cannot.
    keep(text) {
        if (stored.set('source', text)) {
            this.notKept = false;
            this.elements.note.hidden = true;
            return;
        }
        this.notKept = true;
        if (this.told) return;
        this.told = true;
        this.elements.note.hidden = false;
    }

    // Saves the text to its file; a text of no file asks for a name first.
    saveAsm() {
        if (this.name !== null) {
            this.download(`${this.baseName()}.asm`);
            return;
        }
        this.askName('asm', (name) => {
            this.set(name, this.codeFile);
            this.download(name);
        });
    }

    // Saves a code file's contents beside the text's file, or under a name asked for.
    saveCod(contents) {
        if (this.name !== null) saveFile(`${this.baseName()}.cod`, contents);
        else this.askName('cod', (name) => saveFile(name, contents));
    }

    download(name) {
        this.savedText = this.text();
        saveFile(name, this.savedText);
        this.elements.note.hidden = true;
    }

    // Asks for a file name ending in `.extension`; `onName(name)` gets it.
    askName(extension, onName) {
        const { dialog, field } = this.elements;
        field.value = `${this.baseName() || 'program'}.${extension}`;
        dialog.returnValue = '';
        dialog.onclose = () => {
            const name = field.value.trim().replace(/[\\/:*?"<>|]/g, '_');
            if (dialog.returnValue !== 'save' || name === '' || name === `.${extension}`) return;
            onName(new RegExp(`\\.${extension}$`, 'i').test(name) ? name : `${name}.${extension}`);
        };
        dialog.showModal();
        field.focus();
        field.setSelectionRange(0, Math.max(0, field.value.length - extension.length - 1));
    }
}
