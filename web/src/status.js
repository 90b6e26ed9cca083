// The two status lines under the editor: what the assembler said of the last text, and what the
// run is doing. Both are live regions, so a screen reader reads out what changes; each can be
// said again in the other language.
import { t } from './texts.js';

// The run's status line. A text is given as a function that makes it, so that a change of
// language says it again in the other one.
export class RunStatus {
    constructor(element) {
        this.element = element;
        this.text = () => t('loading');
        this.attention = false;
    }

    set(text, attention = false) {
        this.text = typeof text === 'function' ? text : () => text;
        this.attention = attention;
        this.refresh();
    }

    refresh() {
        const text = this.text();
        // A live region reads out every change: the same text is not set again.
        if (this.element.textContent !== text) this.element.textContent = text;
        this.element.classList.toggle('attention', this.attention);
        delete this.element.dataset.t;
    }
}

// What the status line says of a pause, as a function of the page's language; `running`: the
// run goes on after it. Paused inside a routine of the ROM, it says which one and how to get out.
export function describePause(pause, running) {
    const said = describeReason(pause, running);
    const state = pause.state;
    if (!state.paused || !state.routine || pause.reason === 'input' || running) return said;
    return () => `${said()} ${t('statusInRom', { name: state.routine })}`;
}

function describeReason(pause, running) {
    const state = pause.state;
    switch (pause.reason) {
        case 'breakpoint': return () => t('statusBreakpoint', { line: state.line, step: state.step });
        case 'watchpoint': return () => t('statusWatchpoint', { step: state.step });
        case 'ended': return state.failed
            ? () => t('statusFailed', { step: state.lastStep, error: state.error })
            : () => t('statusEnded', { step: state.lastStep });
        case 'input': return () => t(pause.input === 'line' ? 'statusLine' : 'statusKey');
        case 'stepped': return () => t('statusStepped', { step: state.step });
        default: return () => t(running ? 'statusRunning' : 'statusPaused', { step: state.step });
    }
}

function span(className, textContent) {
    return Object.assign(document.createElement('span'), { className, textContent });
}

// Writes what the assembler said (`result` of Machine.assemble or retell) into `element`; gives
// the source line to mark as wrong, 0 for none.
export function showAssembly(element, result) {
    element.replaceChildren();
    element.classList.toggle('ok', result.ok && result.load?.ok);
    const [lineText, message] = result.status;
    const tooLong = result.ok ? result.load?.tooLong : null;
    let errorLine = result.ok ? 0 : result.line;
    if (tooLong) {
        // More words than RAM holds: the loader's "wrong memory address" would say nothing of why.
        let text = t('tooLong', tooLong);
        if (tooLong.line > 0) text += ' ' + t('tooLongFrom', tooLong);
        element.append(span('error', text));
        errorLine = tooLong.line;
    } else if (!result.ok) {
        element.append(span('error', (result.line > 0 ? t('errorAt', { line: result.line }) + ': ' : '') + message));
        // A line the editor cannot mark (none given) is shown as the assembler gives it.
        if (result.line <= 0 && lineText) element.append(span('error-line', lineText));
    } else if (!result.load.ok) {
        element.append(span('error', `${t('loadError')}: ${result.load.status.filter(Boolean).join(' ')}`));
    } else {
        element.append(`${lineText} · ${t('assembled', { words: result.code.length })}`);
    }
    for (const warning of result.warnings) element.append(span('warning', `${t('warning')}: ${warning}`));
    return errorLine;
}
