// The processor panel: R0-R3, PC, SP, PS and the flags N and Z. A field the last step or pause
// changed is lit until the next one.
import { wordTip } from './words.js';

const names = ['R0', 'R1', 'R2', 'R3', 'PC', 'SP', 'PS'];

export class Registers {
    constructor(element) {
        this.fields = new Map();
        const words = document.createElement('div');
        words.className = 'register-list';
        for (const name of names) {
            const row = document.createElement('div');
            row.className = 'register';
            const label = document.createElement('span');
            label.className = 'register-name';
            label.textContent = name;
            const value = document.createElement('span');
            value.className = 'register-value';
            value.dataset.register = name;
            value.textContent = '0000';
            row.append(label, value);
            words.append(row);
            this.fields.set(name, value);
        }
        const flags = document.createElement('div');
        flags.className = 'flag-list';
        for (const name of ['N', 'Z']) {
            const flag = document.createElement('span');
            flag.className = 'flag';
            flag.dataset.flag = name;
            flag.innerHTML = `<span class="flag-name">${name}</span><span class="flag-value">0</span>`;
            flags.append(flag);
            this.fields.set(name, flag);
        }
        element.append(words, flags);
    }

    static values(state) {
        return {
            R0: state.registers[0], R1: state.registers[1], R2: state.registers[2], R3: state.registers[3],
            PC: state.pc, SP: state.sp, PS: state.ps, N: state.n ? '1' : '0', Z: state.z ? '1' : '0',
        };
    }

    // Shows `state`; fields that differ from `before` are lit.
    show(state, before) {
        const now = Registers.values(state);
        const old = before ? Registers.values(before) : now;
        for (const [name, element] of this.fields) {
            if (name === 'N' || name === 'Z') {
                element.querySelector('.flag-value').textContent = now[name];
                element.classList.toggle('set', now[name] === '1');
            } else {
                element.textContent = now[name];
                element.title = wordTip(now[name]);
            }
            element.classList.toggle('changed', now[name] !== old[name]);
        }
    }
}
