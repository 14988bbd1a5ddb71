// Quorvex in a browser: the window's menus, areas, toolbar and status bar,
// with the core running in a Web Worker. The page is an adapter like the
// window: it knows no method; the core's registry gives the methods menus,
// and each command's dialogs come back from the core to be shown here.

import { catalogue, plain } from "./texts.js";
import { MenuBar } from "./menus.js";
import { askYesNo, inputBox, messageBox, useDialogTexts } from "./dialogs.js";
import { CoreClient, Stopped } from "./core-client.js";
import { chooseFile, decodeText, download, toCrLf } from "./files.js";
import {
  applyAppearance, colourDialog, defaultAppearance, fontDialog, kDefaultDecimals,
} from "./settings.js";
import { showAbout, showCredits } from "./about.js";
import { drawChart } from "./chart.js";
import { showText } from "./result-view.js";
import { afterNextFrame, giveFocusBack } from "./focus.js";

// The window's threshold above which opening a file asks first.
const kLargeFileBytes = 1500;

const $ = (selector) => document.querySelector(selector);
const edit = $("#edit");
const result = $("#result");
const statusPanel = $("#status");

const state = {
  lang: new URLSearchParams(location.search).get("lang") === "en" ? "en" : "zh",
  decimals: kDefaultDecimals,
  exact: false,
  steps: false,
  rowSteps: false,
  appearance: null,
  // The result area's text as the core wrote it, UTF-8; decoded whole only
  // when something needs the text itself (resultText).
  resultBytes: new Uint8Array(0),
  resultDecoded: "",
  resultIsReport: false,
  // The finished run behind the result area's report, to replay in a
  // fresh worker before exporting (a stop forgets the core's last run).
  lastRun: null,
  lastRunGeneration: 0,
  busy: false,
  coreMenus: {},
  status: { key: "statusIdle" },
};

Object.defineProperty(state, "resultText", {
  get: () => (state.resultDecoded ??= new TextDecoder().decode(state.resultBytes)),
});

const t = () => catalogue[state.lang];
const utf8 = new TextEncoder();
const core = new CoreClient(new URL("worker.js", import.meta.url).href);
// The focus coming back to an area after a menu item has run leaves the
// status bar to what the item said, as the window's does.
let quietFocus = false;
const menubar = new MenuBar($("#menubar"), {
  giveFocusBack: (target) => {
    quietFocus = true;
    try {
      target.focus();
    } finally {
      quietFocus = false;
    }
  },
});

// ---- the areas and the status bar ----

/// content: the text, or its UTF-8 bytes as the core hands them over.
function setResult(content, isReport) {
  const isText = typeof content === "string";
  if (content !== state.resultBytes) {
    state.resultBytes = isText ? utf8.encode(content) : content;
    state.resultDecoded = isText ? content : null;
  }
  state.resultIsReport = isReport;
  showText(result, state.resultBytes);
}

const kSpace = 32;
const isBlank = (text) => /^ *$/.test(text);
const resultIsBlank = () => state.resultBytes.every((b) => b === kSpace);

/// Whether two byte arrays hold the same bytes.
function sameBytes(a, b) {
  if (a === b) return true;
  if (a.length !== b.length) return false;
  for (let i = 0; i < a.length; ++i) if (a[i] !== b[i]) return false;
  return true;
}

/// The edit area's text as the core reads it, UTF-8 with CR LF line breaks;
/// encoded again only when the text has changed since the last command.
let editBytes = { text: null, bytes: null };
function editAreaBytes() {
  const text = edit.value;
  if (text !== editBytes.text) editBytes = { text, bytes: utf8.encode(toCrLf(text)) };
  return editBytes.bytes;
}

function setStatus(status) {
  state.status = status;
  statusPanel.textContent = status.key ? t()[status.key] : status.text;
}

edit.addEventListener("focus", () => quietFocus || setStatus({ key: "statusEditArea" }));
edit.addEventListener("input", () => setStatus({ key: "statusEditing" }));
result.addEventListener("focus", () => quietFocus || setStatus({ key: "statusResultArea" }));

function showClock() {
  const now = new Date();
  const locale = state.lang === "en" ? "en-GB" : "zh-CN";
  $("#date").textContent = now.toLocaleDateString(locale);
  $("#time").textContent = now.toLocaleTimeString(locale);
}
setInterval(showClock, 1000);

let focusBeforeBusy = null;

function setBusy(busy) {
  if (busy === state.busy) return;
  state.busy = busy;
  menubar.setDisabled(busy);
  // Unlocking a large edit area makes the browser draw it anew, which
  // would hold up drawing the report: it waits for the next frame.
  if (busy) edit.readOnly = true;
  else afterNextFrame(() => (edit.readOnly = state.busy));
  $("#progress").hidden = !busy;
  for (const b of document.querySelectorAll("#toolbar button")) {
    if (b.dataset.tool === "stop") b.hidden = !busy;
    else if (b.dataset.tool !== "undo" && b.dataset.tool !== "redo") b.disabled = busy;
  }
  document.body.classList.toggle("busy", busy);
  // The focus stays where it is: Esc stops a command from anywhere, and
  // taking the focus from a large edit area and giving it back costs the
  // browser a layout of all its text. Only a focus lost to a button that
  // was disabled is given back.
  if (busy) {
    focusBeforeBusy = document.activeElement;
  } else {
    giveFocusBack(focusBeforeBusy);
  }
}

// ---- 文件 ----

function FileNew_Click() {
  edit.value = "";
  setResult("", false);
  setStatus({ key: "statusIdle" });
}

async function FileOpen_Click() {
  const file = await chooseFile($("#file-input"));
  if (!file) return messageBox(t().nothingOpened, t().title);
  let bytes;
  try {
    bytes = new Uint8Array(await file.arrayBuffer());
  } catch {
    return messageBox(t().operationError, t().title);
  }
  // Declining a large file leaves its length in the edit area, as the
  // window does, and the result area as it was.
  if (bytes.length > kLargeFileBytes && !(await askYesNo(t().largeFileQuestion, t().largeFileCaption))) {
    edit.value = String(bytes.length);
    setStatus({ key: "statusEditing" });
    return;
  }
  edit.value = "";
  setResult("", false);
  if (bytes.length === 0) return messageBox(t().emptyFile, t().title);
  edit.value = decodeText(bytes);
  setStatus({ text: file.name });
}

function saveReport() {
  if (state.resultBytes.length === 0) return messageBox(t().emptyResult, t().title);
  download("quorvex.txt", state.resultBytes);
  setStatus({ text: "quorvex.txt" });
}

function saveInput() {
  download("quorvex-input.txt", toCrLf(edit.value));
  setStatus({ text: "quorvex-input.txt" });
}

const kExports = {
  latex: { suffix: "tex", type: "application/x-tex" },
  html: { suffix: "html", type: "text/html" },
  markdown: { suffix: "md", type: "text/markdown" },
};

async function exportAs(format) {
  try {
    await exportReport(format);
  } finally {
    markEnded();
  }
}

async function exportReport(format) {
  const run = state.lastRun;
  if (!state.resultIsReport || !run) return messageBox(t().exportFailed, t().title);
  setBusy(true);
  let text;
  try {
    // A stopped command took the core's memory of this report with it.
    if (state.lastRunGeneration !== core.generation) {
      await core.run(run);
      state.lastRunGeneration = core.generation;
    }
    text = await core.exportReport(format);
  } catch (e) {
    setBusy(false);
    if (e instanceof Stopped) return setStatus({ key: "statusStopped" });
    core.restart();
    return messageBox(t().exportFailed, t().title);
  }
  setBusy(false);
  if (!text) return messageBox(t().exportFailed, t().title);
  const name = "quorvex." + kExports[format].suffix;
  download(name, text, kExports[format].type);
  setStatus({ text: name });
}

function printReport() {
  $("#print-report").textContent = state.resultText;
  window.print();
}

function FileExit_Click() {
  return showCredits(t(), t().credits);
}

// ---- 编辑: every command works on the edit area, whichever area has the focus ----

const crlfLength = (text) => text.length + (text.match(/\n/g) || []).length;

function replaceSelection(text) {
  edit.setRangeText(text, edit.selectionStart, edit.selectionEnd, "end");
  edit.dispatchEvent(new Event("input"));
}

const selectedText = () => toCrLf(edit.value.slice(edit.selectionStart, edit.selectionEnd));

async function CopyToClipboard() {
  try {
    await navigator.clipboard.writeText(selectedText());
  } catch {
    // A browser that keeps the clipboard from the page leaves it as it was.
  }
}

async function CutToClipboard() {
  await CopyToClipboard();
  replaceSelection("");
}

async function PasteFromClipboard() {
  let text = "";
  try {
    text = await navigator.clipboard.readText();
  } catch {
    return;
  }
  replaceSelection(text.replace(/\r\n?/g, "\n"));
}

function EditSelectAll_Click() {
  edit.focus();
  edit.select();
}

function EditDelete_Click() {
  // The caret's place is weighed against the length of the focused area's
  // text, line breaks counted as CR LF.
  const p = crlfLength(edit.value.slice(0, edit.selectionStart));
  const focusedText = document.activeElement === result ? state.resultText : edit.value;
  if (crlfLength(focusedText.replace(/\r\n?/g, "\n")) === p) return;
  if (edit.selectionStart === edit.selectionEnd) {
    if (edit.selectionStart >= edit.value.length) return;
    edit.setSelectionRange(edit.selectionStart, edit.selectionStart + 1);
  }
  replaceSelection("");
}

// ---- 显示 ----

async function FormatStyle_Click() {
  const chosen = await fontDialog(t(), state.appearance ?? defaultAppearance());
  if (!chosen) return;
  state.appearance = chosen;
  applyAppearance([edit, result], chosen);
}

async function FormatBackColor_Click() {
  const current = state.appearance ?? defaultAppearance();
  const colour = await colourDialog(t(), plain(t().formatBackColor), current.background);
  if (!colour) return;
  state.appearance = { ...current, background: colour };
  applyAppearance([edit, result], state.appearance);
}

async function FormatDecimalDigits_Click() {
  const answer = await inputBox(t().decimalsPrompt, t().decimalsCaption, String(state.decimals));
  state.decimals = await core.decimalsFromAnswer(answer ?? "");
}

function FormatDefault_Click() {
  state.appearance = defaultAppearance();
  applyAppearance([edit, result], state.appearance);
  state.decimals = kDefaultDecimals;
  for (const key of ["exact", "steps", "rowSteps"]) setOption(key, false);
}

const kOptionItems = { exact: "FormatExact", steps: "FormatSteps", rowSteps: "FormatRowSteps" };

function setOption(key, on) {
  state[key] = on;
  menubar.setItem(kOptionItems[key], { checked: on });
}

function setLanguage(lang) {
  state.lang = lang;
  document.documentElement.lang = lang === "en" ? "en" : "zh-CN";
  useDialogTexts(t());
  translateChrome();
  buildMenus();
}

// ---- the methods: a command's dialogs come back from the core ----

/// A run of the command with the answers so far. The edit area's text goes
/// along once a question has been answered or the command has asked for it
/// (withEdit): most commands ask their first question before they read it.
function request(command, answers, withEdit) {
  return {
    command,
    edit: withEdit ? editAreaBytes() : undefined,
    result: state.resultBytes,
    decimals: state.decimals,
    exact: state.exact,
    steps: state.steps,
    rowSteps: state.rowSteps,
    language: state.lang,
    answers,
  };
}

async function showDialog(d) {
  if (d.kind === "input") return (await inputBox(d.prompt, d.caption, d.default ?? "")) ?? "";
  if (d.kind === "yesno") return askYesNo(d.prompt, d.caption);
  await messageBox(d.prompt, d.caption);
  return undefined;
}

// Counts the commands and exports that have ended, however they ended, so
// that whoever drives the page can wait for the next one.
let ended = 0;
const markEnded = () => (document.body.dataset.ended = String(++ended));

async function runCommand(command) {
  if (state.busy) return;
  try {
    await runDialogLoop(command);
  } finally {
    markEnded();
  }
}

async function runDialogLoop(command) {
  const before = { bytes: state.resultBytes, isReport: state.resultIsReport };
  const answers = [];
  let shown = 0;
  let withEdit = false;
  $("#chart").hidden = true;
  for (;;) {
    const req = request(command, answers, withEdit || answers.length > 0);
    let out;
    setBusy(true);
    try {
      out = await core.run(req);
    } catch (e) {
      setBusy(false);
      setResult(before.bytes, before.isReport);
      if (e instanceof Stopped) return setStatus({ key: "statusStopped" });
      core.restart();
      return messageBox(t().operationError, t().title);
    }
    if (out.state === "edit") {
      withEdit = true;
      continue;
    }
    setBusy(false);
    const dialogs = out.dialogs ?? [];
    // A command that ends before writing leaves the earlier report in place,
    // and that report is still the one to export.
    const same = out.result === undefined || (!out.resultIsReport && sameBytes(out.result, before.bytes));
    const kept = same && !out.resultIsReport && before.isReport;
    setResult(same ? before.bytes : out.result, Boolean(out.resultIsReport) || kept);
    if (out.state === "done") {
      if (out.resultIsReport) {
        state.lastRun = req;
        state.lastRunGeneration = core.generation;
      }
      for (; shown < dialogs.length; ++shown) await showDialog(dialogs[shown]);
      showNotices(out.notices ?? []);
      if (out.chart) showChart(out.chart);
      return;
    }
    if (out.state !== "ask" || !dialogs.length) return messageBox(t().operationError, t().title);
    // Messages shown before the question, then the question itself. While
    // the user reads it, the edit area's text is made ready for the core.
    for (; shown < dialogs.length - 1; ++shown) await showDialog(dialogs[shown]);
    afterNextFrame(editAreaBytes);
    answers.push(await showDialog(dialogs[shown++]));
  }
}

function showChart(chart) {
  const section = $("#chart");
  drawChart(section.querySelector(".chart-body"), chart);
  section.hidden = false;
}

$("#chart-close").addEventListener("click", () => ($("#chart").hidden = true));

/// What a command says beside its report: the first notice in the status
/// bar, where a screen reader hears it, and all of them in a note under the
/// result area that stays until closed or until the next command.
function showNotices(notices) {
  const section = $("#notes");
  const list = section.querySelector(".notes-body");
  list.replaceChildren(
    ...notices.map((text) => {
      const item = document.createElement("li");
      item.textContent = text;
      return item;
    }),
  );
  section.hidden = notices.length === 0;
  if (notices.length) setStatus({ text: notices[0] });
}

$("#notes-close").addEventListener("click", () => ($("#notes").hidden = true));

function stop() {
  if (state.busy) core.stop();
}

// ---- menus ----

/// Both languages' methods menus, so that switching language is immediate.
async function loadCoreMenus() {
  try {
    for (const lang of ["zh", "en"]) state.coreMenus[lang] = await core.menus(lang);
    return true;
  } catch {
    setStatus({ key: "statusCoreFailed" });
    return false;
  }
}

/// The registry's entries as menu items, submenus nested.
function registryItems(entries) {
  const root = [];
  const stack = [root];
  for (const e of entries) {
    const into = stack[stack.length - 1];
    if (e.kind === "submenu-begin") {
      const sub = { id: e.id, caption: e.caption, kind: "submenu", items: [], registry: true };
      into.push(sub);
      stack.push(sub.items);
    } else if (e.kind === "submenu-end") {
      if (stack.length > 1) stack.pop();
    } else if (e.kind === "separator") {
      into.push({ id: e.id, kind: "separator" });
    } else if (e.kind === "disabled") {
      into.push({ id: e.id, caption: e.caption, kind: "disabled" });
    } else {
      into.push({ id: e.id, caption: e.caption, kind: "command", registry: true, run: () => runCommand(e.id) });
    }
  }
  return root;
}

/// Opening a methods menu greys its commands while the edit area is blank.
function enableRegistryItems(items) {
  const blank = isBlank(edit.value);
  const walk = (list) => {
    for (const item of list) {
      if (item.registry) menubar.setItem(item.id, { enabled: !blank });
      if (item.items) walk(item.items);
    }
  };
  walk(items);
}

function buildMenus() {
  const x = t();
  const reportShown = () => !resultIsBlank();
  const fileItems = [
    { id: "FileNew", caption: x.fileNew, shortcut: "Ctrl+N", run: FileNew_Click },
    { id: "FileOpen", caption: x.fileOpen, shortcut: "Ctrl+O", run: FileOpen_Click },
    { id: "FileSave", caption: x.fileSave, shortcut: "Ctrl+S", run: saveReport },
    { id: "FileSaveAS", caption: x.fileSaveAs, run: saveReport },
    { id: "FileSaveInput", caption: x.fileSaveInput, run: saveInput },
    {
      id: "FileExport", caption: x.fileExport, kind: "submenu", items: [
        { id: "FileExportLatex", caption: x.exportLatex, run: () => exportAs("latex") },
        { id: "FileExportHtml", caption: x.exportHtml, run: () => exportAs("html") },
        { id: "FileExportMarkdown", caption: x.exportMarkdown, run: () => exportAs("markdown") },
      ],
    },
    { id: "FilePrint", caption: x.filePrint, shortcut: "Ctrl+P", run: printReport },
    { id: "FileExit", caption: x.fileExit, run: FileExit_Click },
  ];
  const menus = [
    {
      id: "FileMenu", caption: x.fileMenu, items: fileItems,
      onOpen() {
        const on = reportShown();
        for (const id of ["FileSave", "FileSaveAS", "FileExport", "FilePrint"]) menubar.setItem(id, { enabled: on });
      },
    },
    {
      id: "EditMenu", caption: x.editMenu, items: [
        { id: "EditSelectAll", caption: x.editSelectAll, shortcut: "Ctrl+A", run: EditSelectAll_Click },
        { id: "Edit", caption: x.editUndo, shortcut: "Ctrl+Z", kind: "disabled" },
        { id: "EditCut", caption: x.editCut, shortcut: "Ctrl+X", run: CutToClipboard },
        { id: "EditCopy", caption: x.editCopy, shortcut: "Ctrl+C", run: CopyToClipboard },
        { id: "EditPaste", caption: x.editPaste, shortcut: "Ctrl+V", run: PasteFromClipboard },
        { id: "EditDelete", caption: x.editDelete, shortcut: "Del", run: EditDelete_Click },
      ],
    },
    {
      id: "Format", caption: x.formatMenu, items: [
        { id: "FormatStyle", caption: x.formatStyle, run: FormatStyle_Click },
        { id: "FormatBackColor", caption: x.formatBackColor, run: FormatBackColor_Click },
        { id: "FormatDecimalDigits", caption: x.formatDecimalDigits, run: FormatDecimalDigits_Click },
        { id: "FormatDefault", caption: x.formatDefault, run: FormatDefault_Click },
        ...Object.entries(kOptionItems).map(([key, id]) => ({
          id, caption: x[id.replace("Format", "format")], kind: "check", checked: state[key],
          run: () => setOption(key, !state[key]),
        })),
        {
          id: "FormatLanguage", caption: x.formatLanguage, kind: "submenu", items: [
            { id: "FormatLanguageChinese", caption: x.languageChinese, kind: "radio", checked: state.lang === "zh", run: () => setLanguage("zh") },
            { id: "FormatLanguageEnglish", caption: x.languageEnglish, kind: "radio", checked: state.lang === "en", run: () => setLanguage("en") },
          ],
        },
      ],
    },
  ];
  const registry = state.coreMenus[state.lang];
  for (const key of ["methods", "analysis"]) {
    const m = registry?.[key];
    if (!m || !m.items?.length) continue;
    const items = registryItems(m.items);
    menus.push({ id: m.id, caption: m.caption, items, onOpen: () => enableRegistryItems(items) });
  }
  menus.push({
    id: "mnuHelp", caption: x.helpMenu, items: [
      { id: "mnuHelpFile", caption: x.helpFile, run: () => window.open(x.helpDir + "index.html", "_blank", "noopener") },
      { id: "mnuAbout", caption: x.helpAbout, run: () => showAbout(t()) },
    ],
  });
  menubar.setMenus(menus);
}

// ---- the toolbar, the keyboard and the splitter ----

const kTools = {
  new: ["toolNew", FileNew_Click],
  open: ["toolOpen", FileOpen_Click],
  save: ["toolSave", saveReport],
  cut: ["toolCut", CutToClipboard],
  copy: ["toolCopy", CopyToClipboard],
  paste: ["toolPaste", PasteFromClipboard],
  undo: ["toolUndo", null],
  redo: ["toolRedo", null],
  stop: ["toolStop", stop],
};

for (const button of document.querySelectorAll("#toolbar button")) {
  const [, command] = kTools[button.dataset.tool];
  if (command) button.addEventListener("click", () => command());
}

function translateChrome() {
  const x = t();
  for (const button of document.querySelectorAll("#toolbar button")) {
    const [key] = kTools[button.dataset.tool];
    button.textContent = x[key];
    button.title = x[key];
  }
  $("#toolbar").setAttribute("aria-label", plain(x.fileMenu));
  edit.setAttribute("aria-label", x.editAreaLabel);
  result.setAttribute("aria-label", x.resultAreaLabel);
  $("#splitter").setAttribute("aria-label", x.splitterLabel);
  $("#chart-close").textContent = x.chartClose;
  $("#notes-close").textContent = x.chartClose;
  $("#notes").setAttribute("aria-label", x.notesLabel);
  $("#progress").setAttribute("aria-label", x.statusRunning);
  setStatus(state.status);
  showClock();
}

// The shortcuts belong to the menu items, so Ctrl+A, X, C, V and Del act
// on the edit area from the result area too. In the edit area itself the
// browser's own editing does the same and keeps its undo.
const kShortcuts = {
  "ctrl+o": FileOpen_Click,
  "ctrl+s": saveReport,
  "ctrl+n": FileNew_Click,
  "ctrl+p": printReport,
};
const kEditShortcuts = {
  "ctrl+a": EditSelectAll_Click,
  "ctrl+x": CutToClipboard,
  "ctrl+c": CopyToClipboard,
  "ctrl+v": PasteFromClipboard,
  delete: EditDelete_Click,
};

document.addEventListener("keydown", (e) => {
  if (document.querySelector("dialog[open]")) return;
  if (state.busy) {
    if (e.key === "Escape") {
      e.preventDefault();
      stop();
    }
    return;
  }
  if (e.key === "F10" && !e.shiftKey) {
    e.preventDefault();
    return menubar.focusBar();
  }
  if (e.altKey && !e.ctrlKey && e.key.length === 1 && menubar.openByAccelerator(e.key.toLowerCase())) {
    e.preventDefault();
    return;
  }
  if ($("#menubar").contains(e.target)) return;
  const name = (e.ctrlKey || e.metaKey ? "ctrl+" : "") + e.key.toLowerCase();
  const command = kShortcuts[name] ?? (e.target !== edit ? kEditShortcuts[name] : undefined);
  if (command && !e.altKey) {
    e.preventDefault();
    command();
  }
});

(function splitter() {
  const bar = $("#splitter");
  const areas = $("#areas");
  const place = (px) => {
    const width = areas.clientWidth;
    const x = Math.max(100, Math.min(width - 100, px));
    areas.style.setProperty("--edit-width", x + "px");
    bar.setAttribute("aria-valuenow", String(Math.round((100 * x) / width)));
  };
  bar.addEventListener("pointerdown", (e) => {
    bar.setPointerCapture(e.pointerId);
    bar.classList.add("dragging");
  });
  bar.addEventListener("pointermove", (e) => {
    if (bar.hasPointerCapture(e.pointerId)) place(e.clientX - areas.getBoundingClientRect().left);
  });
  bar.addEventListener("pointerup", () => bar.classList.remove("dragging"));
  bar.addEventListener("keydown", (e) => {
    const step = { ArrowLeft: -16, ArrowRight: 16 }[e.key];
    if (!step) return;
    e.preventDefault();
    place(edit.offsetWidth + step);
  });
})();

// ---- start ----

async function start() {
  useDialogTexts(t());
  document.documentElement.lang = state.lang === "en" ? "en" : "zh-CN";
  translateChrome();
  buildMenus();
  setStatus({ key: "statusLoading" });
  if (await loadCoreMenus()) {
    buildMenus();
    setStatus({ key: "statusIdle" });
  }
  document.body.dataset.ready = "true";
  edit.focus();
}

start();
