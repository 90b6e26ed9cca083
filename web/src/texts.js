// Every text the page shows, in Russian and in English. Elements name their text with
// data-t (the content), data-t-title (the tooltip) or data-t-label (aria-label); the rest is
// asked for with t(key) when it is shown. A text names its values {name}; a word that follows a
// number names that number and its forms, {name|one|few|many} in Russian (1 шаг, 2 шага,
// 5 шагов, 21 шаг, 11 шагов) and {name|one|other} in English (1 step, 2 steps).

const texts = {
    title: ['Q42 — учебный компьютер', 'Q42 — teaching computer'],
    subtitle: ['учебный компьютер', 'teaching computer'],
    loading: ['Загрузка машины…', 'Loading the machine…'],
    loadFailed: ['Машина не загрузилась: ', 'The machine did not load: '],

    assemble: ['Компилировать', 'Assemble'],
    assembleTip: ['Компилировать текст и загрузить код в ОЗУ (Ctrl+F9)',
        'Assemble the text and load the code into RAM (Ctrl+F9)'],
    run: ['Запуск', 'Run'],
    runTip: ['Компилировать и запустить с начала (F9)', 'Assemble and run from the start (F9)'],
    continue: ['Продолжить', 'Continue'],
    continueTip: ['Продолжить выполнение или начать его (F6)', 'Go on running, or start a run (F6)'],
    pause: ['Пауза', 'Pause'],
    pauseTip: ['Приостановить выполнение (F6)', 'Pause the run (F6)'],
    step: ['Шаг', 'Step'],
    stepTip: ['Выполнить одну команду (F7)', 'Execute one instruction (F7)'],
    stepOver: ['Шаг с обходом', 'Step over'],
    stepOverTip: ['Выполнить команду, вызов подпрограммы — целиком (F8)',
        'Execute one instruction, a subroutine call as a whole (F8)'],
    stepOut: ['До возврата', 'Step out'],
    stepOutTip: ['Выполнять до возврата из подпрограммы (Shift+F8)',
        'Run until the subroutine returns (Shift+F8)'],
    back: ['Шаг назад', 'Step back'],
    backTip: ['Вернуть машину на шаг назад (Shift+F7)', 'Take the machine one step back (Shift+F7)'],
    stop: ['Стоп', 'Stop'],
    stopTip: ['Прервать программу (Esc)', 'Stop the program (Esc)'],
    speed: ['Скорость', 'Speed'],
    speedTip: ['Скорость выполнения: шагов в секунду', 'Run speed: steps per second'],
    perSecond: ['{n} {n|шаг|шага|шагов}/с', '{n} {n|step|steps}/s'],
    maximum: ['максимум', 'maximum'],
    guide: ['Справка', 'Guide'],
    guideTip: ['Руководство студента (F1)', "The student's guide (F1)"],
    languageTip: ['Язык страницы и машины', 'Language of the page and the machine'],

    program: ['Файл программы', "The program's file"],
    examples: ['Примеры…', 'Examples…'],
    examplesTip: ['Открыть пример в редакторе', 'Open an example in the editor'],
    open: ['Открыть…', 'Open…'],
    openTip: ['Открыть файл .asm или .cod', 'Open a .asm or .cod file'],
    saveAsm: ['Сохранить .asm', 'Save .asm'],
    saveAsmTip: ['Сохранить текст программы в файл', 'Save the program text to a file'],
    saveCod: ['Сохранить .cod', 'Save .cod'],
    saveCodTip: ['Сохранить машинный код в файл', 'Save the machine code to a file'],
    editorLabel: ['Текст программы на ассемблере', 'Assembler text of the program'],
    editorKeys: ['Выйти из редактора с клавиатуры: Esc, затем Tab.', 'To leave the editor from the keyboard: Esc, then Tab.'],
    share: ['Поделиться', 'Share'],
    shareTip: ['Ссылка с текстом программы: ничего никуда не отправляется', 'A link that holds the program text: nothing is sent anywhere'],
    shareTitle: ['Ссылка на программу', 'A link to the program'],
    shareCopied: ['Ссылка скопирована в буфер обмена. Программа целиком в самой ссылке, ничего никуда не отправлено.',
        'The link is copied to the clipboard. The whole program is in the link itself; nothing was sent anywhere.'],
    shareCopyIt: ['Скопируйте ссылку (Ctrl+C). Программа целиком в самой ссылке, ничего никуда не отправлено.',
        'Copy the link (Ctrl+C). The whole program is in the link itself; nothing was sent anywhere.'],
    shareTooLong: ['Программа слишком длинна для ссылки: ссылка заняла бы {size} КБ, а можно не больше {max} КБ. Сохраните её в файл.',
        'The program is too long for a link: the link would take {size} KB, and at most {max} KB is allowed. Save it to a file instead.'],
    sharedLoaded: ['Программа из ссылки открыта. Ctrl+Z возвращает прежний текст.',
        'The program from the link opened. Ctrl+Z brings back the text you had.'],
    linkTooLong: ['Программа из ссылки не открыта: ссылка слишком длинна.',
        'The program of the link was not opened: the link is too long.'],
    linkDamaged: ['Программа из ссылки не открыта: ссылка повреждена (возможно, скопирована не целиком).',
        'The program of the link was not opened: the link is damaged (perhaps it was not copied whole).'],
    untitled: ['Без имени', 'Untitled'],
    saveAsTitle: ['Сохранить как', 'Save as'],
    saveAsName: ['Имя файла', 'File name'],
    saveAs: ['Сохранить', 'Save'],
    cancel: ['Отмена', 'Cancel'],
    storageFull: ['Хранилище браузера заполнено: текст программы больше не сохраняется в браузере и пропадёт при перезагрузке страницы. Сохраните его в файл.',
        "The browser's storage is full: the program text is no longer kept in the browser and a reload of the page would lose it. Save it to a file."],
    storageDismiss: ['Понятно', 'Got it'],
    breakpointTip: ['Щелчок ставит или снимает точку останова (F2)', 'Click to set or clear a breakpoint (F2)'],

    screen: ['Экран', 'Screen'],
    screenTip: ['Щёлкните по экрану, и нажатые клавиши пойдут программе',
        'Click the screen, and the keys you press go to the program'],
    keysGo: ['клавиши идут программе', 'keys go to the program'],
    keysClick: ['щёлкните, чтобы печатать', 'click to type'],
    lineWait: ['Программа ждёт число или TRUE/FALSE — введите и нажмите Enter:',
        'The program waits for a number or TRUE/FALSE: type it and press Enter:'],
    keyWait: ['Программа ждёт клавишу — нажмите её, экран принимает клавиши.',
        'The program waits for a key: press it, the screen takes the keys.'],
    send: ['Ввод', 'Enter'],

    processor: ['Процессор', 'Processor'],
    memory: ['ОЗУ', 'RAM'],
    memoryTip: ['Щелчок по слову или Enter декодирует его; стрелки переходят от слова к слову',
        'Click a word, or press Enter on it, to decode it; the arrows move between the words'],
    legendPc: ['PC: следующая команда', 'PC: the next instruction'],
    legendSp: ['SP: вершина стека', 'SP: top of the stack'],
    legendChanged: ['изменено', 'changed'],
    address: ['Адрес', 'Address'],

    decoding: ['Декодирование команды', 'Instruction decoding'],
    decode: ['Декодировать', 'Decode'],
    next: ['Дальше', 'Next'],
    atPc: ['С PC', 'At PC'],
    atPcTip: ['Декодировать команду по адресу PC', 'Decode the instruction at PC'],
    words: ['Слова', 'Words'],
    operation: ['Операция', 'Operation'],
    badAddress: ['Адрес — от одной до четырёх шестнадцатеричных цифр',
        'An address is one to four hexadecimal digits'],

    log: ['Журнал выполнения', 'Execution log'],
    logTip: ['Щелчок по строке или Enter возвращает машину к этому шагу; стрелки переходят по строкам',
        'Click a row, or press Enter on it, to take the machine to that step; the arrows move between the rows'],
    logStep: ['Шаг', 'Step'],
    logAddress: ['Адрес', 'Address'],
    logInstruction: ['Команда', 'Instruction'],
    logChanges: ['Изменения', 'Changes'],
    logDoes: ['Пояснение', 'Explanation'],
    logRows: ['Шаги запуска', "The run's steps"],
    logEmpty: ['Шаги запуска появятся здесь.', "The run's steps will show here."],
    logCapped: ['показаны последние {n} {n|строка|строки|строк} из {all}', 'the last {n} of {all} rows shown'],

    ready: ['Готово. F9 — компилировать и запустить, F7 — шаг.',
        'Ready. F9 assembles and runs, F7 takes a step.'],
    statusRunning: ['Выполняется…', 'Running…'],
    statusPaused: ['Пауза на шаге {step}.', 'Paused at step {step}.'],
    statusStepped: ['Шаг {step}.', 'Step {step}.'],
    statusBreakpoint: ['Точка останова, строка {line}, шаг {step}.',
        'Breakpoint at line {line}, step {step}.'],
    statusWatchpoint: ['Остановка: слово изменилось, шаг {step}.',
        'Paused: a watched word changed, step {step}.'],
    statusEnded: ['Программа завершена за {step} {step|шаг|шага|шагов}.',
        'The program ended after {step} {step|step|steps}.'],
    statusFailed: ['Программа остановлена ошибкой на шаге {step}: {error}.',
        'The program stopped with an error at step {step}: {error}.'],
    statusInRom: ['Внутри подпрограммы ПЗУ {name}: Shift+F8 возвращает в вашу программу.',
        'Inside the ROM routine {name}: Shift+F8 returns to your program.'],
    statusStopped: ['Программа прервана на шаге {step}.', 'The program was stopped at step {step}.'],
    statusLine: ['Ждёт ввода строки.', 'Waiting for a line to be typed.'],
    statusKey: ['Ждёт клавишу.', 'Waiting for a key.'],
    statusWent: ['Машина на шаге {step} из {last}.', 'The machine is at step {step} of {last}.'],
    statusEdited: ['Текст изменён после компиляции: строка выполнения не показана. F9 компилирует заново.',
        'The text was edited after assembling: the run line is not shown. F9 assembles it anew.'],
    statusNoBack: ['Назад некуда: это начало запуска.', 'Nothing to go back to: this is the start of the run.'],
    errorAt: ['Ошибка в строке {line}', 'Error at line {line}'],
    loadError: ['Код не загрузился в ОЗУ', 'The code did not load into RAM'],
    warning: ['Предупреждение', 'Warning'],
    assembled: ['В ОЗУ {words} {words|слово|слова|слов} кода с адреса 0000.',
        '{words} {words|word|words} of code in RAM from address 0000.'],
    tooLong: ['В программе {words} {words|слово|слова|слов}, а в ОЗУ помещается {ram}.',
        'The program has {words} {words|word|words}; RAM holds {ram}.'],
    tooLongFrom: ['Не помещаются слова со строки {line}.', 'The words from line {line} on do not fit.'],
    exampleLoaded: ['Пример «{name}» открыт. Ctrl+Z возвращает прежний текст.',
        'Example "{name}" opened. Ctrl+Z brings back the text you had.'],
    fileLoaded: ['Файл «{name}» открыт. Ctrl+Z возвращает прежний текст.',
        'File "{name}" opened. Ctrl+Z brings back the text you had.'],
    codFileLoaded: ['Кодовый файл «{name}» открыт: его слова записаны строками DW.',
        'Code file "{name}" opened: its words are written as DW lines.'],
    codFileHeader: ['; Слова кодового файла {name}, по одному в строке DW.',
        '; The words of the code file {name}, one in each DW line.'],
    codFileRefused: ['Кодовый файл «{name}» не открыт: {error}',
        'The code file "{name}" was not opened: {error}'],
    codFileEmpty: ['Кодовый файл «{name}» не открыт: в нём нет ни одного слова кода.',
        'The code file "{name}" was not opened: it holds no word of code.'],
    codFileLong: ['Кодовый файл «{name}» не открыт: в нём {words} {words|слово|слова|слов}, а в ОЗУ помещается {ram}.',
        'The code file "{name}" was not opened: it has {words} {words|word|words}; RAM holds {ram}.'],
    fileTooLarge: [
        'Файл «{name}» слишком велик: текст программы может занимать не больше 1 МБ.',
        'The file "{name}" is too large: a program\'s text may be at most 1 MB.',
    ],
    notSavedCod: ['Код не сохранён: программа не компилируется.',
        'The code was not saved: the program does not assemble.'],

    guideTitle: ['Руководство студента', "The student's guide"],
    guideDoc: ['Руководство', 'Guide'],
    cardDoc: ['Памятка', 'Reference card'],
    mistakesDoc: ['Частые ошибки', 'Common mistakes'],
    close: ['Закрыть', 'Close'],
    openInEditor: ['Открыть в редакторе', 'Open in the editor'],
    guideLoadFailed: ['Руководство не загрузилось.', 'The guide did not load.'],
    guideProgram: ['программа из руководства', 'a program from the guide'],
    lessonsDoc: ['Уроки', 'Lessons'],
    lessonsTitle: ['Уроки', 'Lessons'],
    allLessons: ['← Все уроки', '← All lessons'],
    lessonsLoadFailed: ['Список уроков не загрузился.', 'The list of lessons did not load.'],
    openLessonProgram: ['Открыть программу', 'Open the program'],
    startExercise: ['Начать упражнение', 'Start the exercise'],
    checkExercise: ['Проверить', 'Check'],
    lessonProgramLoaded: ['Программа урока «{name}» открыта. Ctrl+Z возвращает прежний текст.',
        'The program of lesson "{name}" opened. Ctrl+Z brings back the text you had.'],
    exerciseLoaded: ['Упражнение «{name}» начато: его начальный текст открыт. Когда программа готова, нажмите «Проверить» в уроке (F1).',
        'Exercise "{name}" started: its starting text is open. When the program is ready, press "Check" in the lesson (F1).'],
    exerciseMissing: ['Файл упражнения «{name}» не загрузился.', 'The file of exercise "{name}" did not load.'],
    replaceTitle: ['Заменить программу?', 'Replace the program?'],
    replaceQuestion: ['В редакторе программа, которая не сохранена в файл. Заменить её? Ctrl+Z вернёт её и после замены.',
        'The editor holds a program that is not saved to a file. Replace it? Ctrl+Z brings it back after the replacement too.'],
    replace: ['Заменить', 'Replace'],

    valueTip: ['{hex}H = {unsigned} = {signed} со знаком\n{binary}\nсимволы: {chars}',
        '{hex}H = {unsigned} = {signed} signed\n{binary}\ncharacters: {chars}'],
};

let english = false;

export function setEnglish(value) {
    english = value;
    document.documentElement.lang = english ? 'en' : 'ru';
}

export function isEnglish() {
    return english;
}

// Which form of a word goes with the number `n`: 0 one, 1 few, 2 many (Russian); 0 one, 1
// other (English).
export function pluralForm(n, inEnglish = english) {
    const whole = Math.abs(Math.trunc(Number(n)));
    if (inEnglish) return whole === 1 ? 0 : 1;
    const ten = whole % 10;
    const hundred = whole % 100;
    if (ten === 1 && hundred !== 11) return 0;
    if (ten >= 2 && ten <= 4 && (hundred < 12 || hundred > 14)) return 1;
    return 2;
}

// The text for `key`, with {name} places filled from `values` and {name|forms} places with the
// form of the word that goes with the number values[name].
export function t(key, values = {}) {
    const pair = texts[key];
    if (!pair) throw new Error(`no text ${key}`);
    return pair[english ? 1 : 0]
        .replace(/\{(\w+)\|([^}]*)\}/g, (_, name, forms) => {
            const list = forms.split('|');
            return list[Math.min(pluralForm(values[name] ?? 0), list.length - 1)];
        })
        .replace(/\{(\w+)\}/g, (_, name) => String(values[name] ?? ''));
}

// Puts the texts into every element under `root` that names one.
export function applyTexts(root = document) {
    for (const element of root.querySelectorAll('[data-t]')) element.textContent = t(element.dataset.t);
    for (const element of root.querySelectorAll('[data-t-title]')) element.title = t(element.dataset.tTitle);
    for (const element of root.querySelectorAll('[data-t-label]'))
        element.setAttribute('aria-label', t(element.dataset.tLabel));
    document.title = t('title');
}
