// Files and what the page keeps between visits. The program text, the breakpoints, the speed
// and the language are kept in localStorage; .asm and .cod files are opened through the
// browser's file dialog and saved as downloads.

// The largest program text opened, as in the desktop program and q42cli: far beyond any program
// for the machine.
const kMaxFile = 1024 * 1024;

export const stored = {
    get(key, fallback) {
        try {
            const value = localStorage.getItem('q42.' + key);
            return value === null ? fallback : JSON.parse(value);
        } catch {
            return fallback;
        }
    },
    // False when the value could not be kept (the storage is full or forbidden); the page works
    // on without it.
    set(key, value) {
        try {
            localStorage.setItem('q42.' + key, JSON.stringify(value));
            return true;
        } catch {
            return false;
        }
    },
};

// A file's text: UTF-8 when its bytes are UTF-8, else Windows-1251, the machine's code page.
export function decodeFileBytes(bytes) {
    try {
        return new TextDecoder('utf-8', { fatal: true }).decode(bytes);
    } catch {
        return new TextDecoder('windows-1251').decode(bytes);
    }
}

// Asks for a file with the browser's dialog; `onOpen(name, text)` gets it.
export function openFileDialog(input, onOpen, onTooLarge) {
    input.value = '';
    input.onchange = async () => {
        const file = input.files?.[0];
        if (!file) return;
        if (file.size > kMaxFile) {
            onTooLarge(file.name);
            return;
        }
        onOpen(file.name, decodeFileBytes(new Uint8Array(await file.arrayBuffer())));
    };
    input.click();
}

export function isCodeFile(name) {
    return /\.cod$/i.test(name);
}

// A code file's words (as the machine's loader read them, four hex digits each) as assembler
// text: a DW line for each word, which the assembler puts into RAM as the same words.
export function codeWordsToAssembler(words, header) {
    return [header, ...words.map((word) => `        DW 0${word}H`)].join('\n') + '\n';
}

// A line of a file as a message quotes it: its first characters, control characters as dots.
export function quotedLine(line, length = 40) {
    const characters = [...line.replace(/[\u0000-\u001f\u007f-\u009f]/g, '·')];
    return characters.length > length ? characters.slice(0, length).join('') + '…' : characters.join('');
}

// Saves `text` under `name` as a download; lines end in CR LF, as the desktop program writes.
export function saveFile(name, text) {
    const blob = new Blob([text.replace(/\r?\n/g, '\r\n')], { type: 'text/plain;charset=utf-8' });
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// The contents of a code file: the code lines, then a line ".".
export function codeFileText(codeLines) {
    return [...codeLines, '.'].join('\n') + '\n';
}

// A list the page's build wrote as JSON beside it (the examples', the lessons'); an empty list
// when it cannot be had, offline before it was kept or on a damaged file.
export async function fetchList(url) {
    try {
        const response = await fetch(url);
        return response.ok ? await response.json() : [];
    } catch {
        return [];
    }
}
