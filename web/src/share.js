// A program in a link: its text compressed (raw deflate) into the fragment of the page's address,
// in base64url, so that a teacher can post an example or an exercise's start as a link and a
// student can send a program back. A fragment never leaves the browser: nothing is sent anywhere.
// The Share button copies the link to the clipboard and shows it; opening such a link shows the
// program (main.js asks first when it would replace the user's unsaved work).
import { t } from './texts.js';

const kPrefix = '#program=';
// The longest link's fragment made or opened: a long program of the machine's compresses to a few
// kilobytes; beyond this a link is too long to pass around in mail or chat.
export const kMaxFragment = 32 * 1024;
// The longest program a link may unpack to, as for an opened file.
const kMaxText = 1024 * 1024;

function toBase64Url(bytes) {
    let binary = '';
    for (let i = 0; i < bytes.length; i += 0x8000) binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
}

// Null for a text that is not base64url.
function fromBase64Url(code) {
    if (!/^[A-Za-z0-9_-]*$/.test(code) || code.length % 4 === 1) return null;
    const binary = atob(code.replace(/-/g, '+').replace(/_/g, '/'));
    return Uint8Array.from(binary, (c) => c.charCodeAt(0));
}

// The bytes a stream gives, or null once they pass `limit`.
async function collect(stream, limit = Infinity) {
    const reader = stream.getReader();
    const parts = [];
    let size = 0;
    for (;;) {
        const { done, value } = await reader.read();
        if (done) break;
        size += value.length;
        if (size > limit) {
            await reader.cancel();
            return null;
        }
        parts.push(value);
    }
    const bytes = new Uint8Array(size);
    let at = 0;
    for (const part of parts) {
        bytes.set(part, at);
        at += part.length;
    }
    return bytes;
}

// The fragment that carries `text`.
export async function programFragment(text) {
    const packed = await collect(new Blob([text]).stream().pipeThrough(new CompressionStream('deflate-raw')));
    return kPrefix + toBase64Url(packed);
}

// What a page address's fragment holds: null when no program, else { text } or { error } with the
// key of the message that says why the program cannot be shown.
export async function programFromFragment(hash) {
    if (!hash.startsWith(kPrefix)) return null;
    const code = hash.slice(kPrefix.length);
    if (code.length > kMaxFragment) return { error: 'linkTooLong' };
    const packed = fromBase64Url(code);
    if (packed === null) return { error: 'linkDamaged' };
    try {
        const bytes = await collect(new Blob([packed]).stream().pipeThrough(new DecompressionStream('deflate-raw')), kMaxText);
        if (bytes === null) return { error: 'linkTooLong' };
        return { text: new TextDecoder('utf-8', { fatal: true }).decode(bytes) };
    } catch {
        return { error: 'linkDamaged' };
    }
}

// The Share dialog: the link to the editor's program, copied to the clipboard when the browser
// lets the page write there, and shown selected, so that Ctrl+C copies it in any case.
export class ShareDialog {
    constructor({ dialog, note, field }) {
        Object.assign(this, { dialog, note, field });
    }

    async share(text) {
        const fragment = await programFragment(text);
        const link = location.href.replace(/#.*$/, '') + fragment;
        const { dialog, note, field } = this;
        field.hidden = fragment.length > kMaxFragment;
        if (field.hidden) {
            note.textContent = t('shareTooLong', { size: Math.ceil(fragment.length / 1024), max: kMaxFragment / 1024 });
        } else {
            field.value = link;
            note.textContent = t(await copied(link) ? 'shareCopied' : 'shareCopyIt');
        }
        dialog.showModal();
        if (!field.hidden) field.select();
    }
}

async function copied(text) {
    try {
        await navigator.clipboard.writeText(text);
        return true;
    } catch {
        return false;
    }
}
