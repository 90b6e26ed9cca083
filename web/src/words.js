// A machine word as the page shows it in a tooltip: hex, unsigned and signed decimal, binary
// and as two characters.
import { t } from './texts.js';

const cp1251 = new TextDecoder('windows-1251');

function character(byte) {
    if (byte < 32 || byte === 127) return '·';
    return cp1251.decode(new Uint8Array([byte]));
}

export function wordTip(hex) {
    const value = parseInt(hex, 16);
    const bits = value.toString(2).padStart(16, '0');
    return t('valueTip', {
        hex,
        unsigned: value,
        signed: value >= 0x8000 ? value - 0x10000 : value,
        binary: `${bits.slice(0, 4)} ${bits.slice(4, 8)} ${bits.slice(8, 12)} ${bits.slice(12)}`,
        chars: `'${character(value >> 8)}' '${character(value & 0xff)}'`,
    });
}

export function hex4(value) {
    return value.toString(16).toUpperCase().padStart(4, '0');
}
