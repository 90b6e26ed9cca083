// The RAM panel: 128 words from address 0000, eight to a row. The word at PC (the next
// instruction) and the word at SP (the top of the stack) are marked, words the last step or
// pause changed are lit, and a click on a word asks for its decoding. From the keyboard the RAM
// is one stop of Tab: the arrows move among the words and Enter or Space asks for the decoding.
import { hex4, wordTip } from './words.js';
import { movedTo, picks } from './keymoves.js';

const kWords = 128;
const kColumns = 8;

export class Memory {
    constructor(element, onPick) {
        const table = document.createElement('table');
        table.className = 'ram';
        table.setAttribute('role', 'grid');
        const head = table.createTHead().insertRow();
        head.insertCell().outerHTML = '<th></th>';
        for (let column = 0; column < kColumns; ++column) {
            const th = document.createElement('th');
            th.textContent = '+' + (column * 2).toString(16).toUpperCase();
            head.append(th);
        }
        const body = table.createTBody();
        this.cells = [];
        this.rowHeads = [];
        for (let row = 0; row < kWords / kColumns; ++row) {
            const tr = body.insertRow();
            const th = document.createElement('th');
            th.textContent = hex4(row * kColumns * 2);
            tr.append(th);
            this.rowHeads.push(th);
            for (let column = 0; column < kColumns; ++column) {
                const index = row * kColumns + column;
                const td = tr.insertCell();
                td.className = 'word';
                td.tabIndex = index === 0 ? 0 : -1;
                td.dataset.address = hex4(index * 2);
                td.textContent = '0000';
                this.cells.push(td);
            }
        }
        table.addEventListener('click', (event) => {
            const cell = event.target.closest('td.word');
            if (cell) onPick(parseInt(cell.dataset.address, 16));
        });
        table.addEventListener('keydown', (event) => this.keyDown(event, onPick));
        element.append(table);
        this.shown = [];
        this.marks = new Set();
    }

    // Shows `state`; words that differ from `before` are lit.
    show(state, before) {
        for (const cell of this.marks) cell.classList.remove('pc', 'sp', 'changed');
        for (const head of this.rowHeads) head.classList.remove('pc', 'sp');
        this.marks.clear();
        state.ram.forEach((word, index) => {
            const cell = this.cells[index];
            if (this.shown[index] !== word) {
                cell.textContent = word;
                cell.title = `${cell.dataset.address}: ${wordTip(word)}`;
                this.shown[index] = word;
            }
            if (before && before.ram[index] !== word) this.mark(index, 'changed');
        });
        this.markAddress(state.pc, 'pc');
        this.markAddress(state.sp, 'sp');
    }

    mark(index, kind) {
        const cell = this.cells[index];
        cell.classList.add(kind);
        this.marks.add(cell);
        if (kind !== 'changed') this.rowHeads[Math.floor(index / kColumns)].classList.add(kind);
    }

    markAddress(hex, kind) {
        const address = parseInt(hex, 16);
        if (address < kWords * 2) this.mark(address >> 1, kind);
    }

    // Outlines the word being decoded (null: none).
    select(address) {
        this.selected?.classList.remove('selected');
        this.selected = address !== null && address < kWords * 2 ? this.cells[address >> 1] : null;
        this.selected?.classList.add('selected');
        if (this.selected) this.takeTab(this.selected);
    }

    // The one word that Tab stops at.
    takeTab(cell) {
        for (const other of this.cells) other.tabIndex = other === cell ? 0 : -1;
    }

    keyDown(event, onPick) {
        const index = this.cells.indexOf(event.target);
        if (index < 0) return;
        if (picks(event)) {
            event.preventDefault();
            onPick(index * 2);
            return;
        }
        const to = movedTo(event.key, index, kWords, { columns: kColumns, page: 4 });
        if (to === null) return;
        event.preventDefault();
        this.takeTab(this.cells[to]);
        this.cells[to].focus();
    }

    // The tooltips are in the page's language.
    retitle() {
        this.shown = [];
    }
}
