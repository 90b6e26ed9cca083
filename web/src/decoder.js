// The decoding panel: the instruction at any address, in words (operation and operands). It
// follows PC until a RAM word is clicked or an address typed; "At PC" follows PC again and
// "Next" goes on to the instruction after the one shown.
import { t } from './texts.js';
import { hex4 } from './words.js';

export class Decoder {
    constructor({ form, field, next, atPc, output }, decode, onSelect) {
        this.field = field;
        this.output = output;
        this.decode = decode;
        this.onSelect = onSelect;
        this.address = null;
        this.words = 1;
        this.followPc = true;
        form.addEventListener('submit', (event) => {
            event.preventDefault();
            this.showFromField();
        });
        next.addEventListener('click', () => {
            if (this.address !== null) this.show(Math.min(0xfffe, this.address + 2 * this.words));
        });
        atPc.addEventListener('click', () => {
            this.show(this.pc ?? 0);
            this.followPc = true;
        });
    }

    showFromField() {
        const text = this.field.value.trim().replace(/h$/i, '');
        if (!/^[0-9a-f]{1,4}$/i.test(text)) {
            this.output.replaceChildren(Object.assign(document.createElement('p'),
                { className: 'decode-error', textContent: t('badAddress') }));
            return;
        }
        this.show(parseInt(text, 16));
    }

    show(address) {
        this.followPc = false;
        address &= 0xfffe;
        this.address = address;
        this.field.value = hex4(address);
        this.refresh();
        this.onSelect(address);
    }

    // Decodes the shown address again: after a step the word there may have changed.
    refresh() {
        if (this.address === null) return;
        const decoded = this.decode(this.address);
        this.words = Math.max(1, decoded.words.split('/').length);
        const rows = [
            [t('address'), hex4(this.address)],
            [t('words'), decoded.words],
            [t('operation'), decoded.operation],
        ];
        for (const operand of [decoded.operand1, decoded.operand2]) {
            if (!operand) continue;
            const colon = operand.indexOf(': ');
            rows.push(colon > 0 ? [operand.slice(0, colon), operand.slice(colon + 2)] : ['', operand]);
        }
        const list = document.createElement('dl');
        for (const [name, value] of rows) {
            list.append(Object.assign(document.createElement('dt'), { textContent: name }),
                Object.assign(document.createElement('dd'), { textContent: value }));
        }
        this.output.replaceChildren(list);
    }

    setPc(hex) {
        this.pc = parseInt(hex, 16);
        if (this.followPc) {
            this.address = this.pc & 0xfffe;
            this.field.value = hex4(this.address);
            this.onSelect(null);
        }
    }
}
