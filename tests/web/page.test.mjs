// The browser page against the command-line tool: the same commands, typed
// and chosen in headless Chromium, must leave in the result area exactly the
// report that quorvex-cli writes, and export exactly what it exports.
//
//   QUORVEX_SITE   the built site (default: build-wasm/site of this tree)
//   QUORVEX_CLI    the native tool (default: build/cli/quorvex-cli)
//   CHROMIUM       the browser (default: /usr/bin/chromium)
//   QUORVEX_SHOTS  when set, the help book's screenshots are drawn anew
//
// Run from this folder: PUPPETEER_SKIP_DOWNLOAD=1 npm ci && node --test
// (the browser is Debian's chromium; nothing is downloaded for it).

import { after, before, describe, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync, spawnSync } from "node:child_process";
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";
import puppeteer from "puppeteer-core";

const repo = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const site = path.resolve(process.env.QUORVEX_SITE ?? path.join(repo, "build-wasm/site"));
const cli = path.resolve(process.env.QUORVEX_CLI ?? path.join(repo, "build/cli/quorvex-cli"));
const chromium = process.env.CHROMIUM ?? "/usr/bin/chromium";

const kSystem = "2 1 1 5\n4 -6 0 -2\n-2 7 2 10";

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), "quorvex-web-"));
const downloads = path.join(scratch, "downloads");
fs.mkdirSync(downloads);

// ---- the native tool ----

function writeInput(name, text) {
  const file = path.join(scratch, name);
  // The page hands the core its edit area with CR LF breaks, as the window does.
  fs.writeFileSync(file, text.replace(/\n/g, "\r\n"));
  return file;
}

/// The CLI's report and the dialogs it showed ({caption, prompt, default}).
function cliRun(command, input, args = [], status = 0) {
  const out = spawnSync(cli, [command, "-i", input, "--trace", ...args], { maxBuffer: 1 << 28 });
  assert.equal(out.status, status, `quorvex-cli ${command} ${args.join(" ")}: ${out.stderr}`);
  const lines = out.stderr.toString("utf8").split("\n");
  const dialogs = lines
    .filter((l) => l.startsWith("input: "))
    .map((l) => /^input: caption=(.*) prompt=(.*) default=(.*) answer=/.exec(l))
    .map((m) => ({ caption: m[1], prompt: m[2], default: m[3] }));
  // Every input box and question in the order shown.
  const shown = lines
    .map((l) => /^input: caption=(.*) prompt=(.*) default=(.*) answer=/.exec(l) ?? /^question: caption=(.*) text=(.*) answer=/.exec(l))
    .filter(Boolean)
    .map((m) => (m.length === 3 ? { kind: "yesno", caption: m[1], prompt: m[2] } : { kind: "input", caption: m[1], prompt: m[2], default: m[3] }));
  const notices = lines.filter((l) => l.startsWith("notice: ")).map((l) => l.slice(8));
  return { report: out.stdout.toString("utf8"), raw: out.stdout, dialogs, shown, notices };
}

/// id -> caption of the registry's commands, in the language asked for.
function cliCaptions(lang) {
  const text = execFileSync(cli, ["--list", "--lang", lang]).toString("utf8");
  return new Map(text.trim().split("\n").map((l) => l.split("\t")));
}

// ---- the page ----

const kTypes = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".mjs": "text/javascript; charset=utf-8",
  ".css": "text/css; charset=utf-8",
  ".wasm": "application/wasm",
  ".png": "image/png",
  ".svg": "image/svg+xml",
  ".json": "application/json",
};

function serve(root) {
  const server = http.createServer((req, res) => {
    const url = new URL(req.url, "http://localhost");
    let file = path.join(root, decodeURIComponent(url.pathname));
    if (!file.startsWith(root)) return res.writeHead(403).end();
    if (fs.existsSync(file) && fs.statSync(file).isDirectory()) file = path.join(file, "index.html");
    fs.readFile(file, (err, body) => {
      if (err) return res.writeHead(404).end();
      res.writeHead(200, { "Content-Type": kTypes[path.extname(file)] ?? "application/octet-stream" });
      res.end(body);
    });
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

let server;
let browser;
let base;
const downloaded = new Map();
const downloadWaiters = [];

before(async () => {
  assert.ok(fs.existsSync(path.join(site, "index.html")), `no site at ${site}`);
  assert.ok(fs.existsSync(cli), `no quorvex-cli at ${cli}`);
  server = await serve(site);
  base = `http://127.0.0.1:${server.address().port}/`;
  browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    userDataDir: fs.mkdtempSync(path.join(scratch, "profile-")),
    args: [
      "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync",
    ],
  });
  const session = await browser.target().createCDPSession();
  await session.send("Browser.setDownloadBehavior", { behavior: "allowAndName", downloadPath: downloads, eventsEnabled: true });
  const names = new Map();
  session.on("Browser.downloadWillBegin", (e) => names.set(e.guid, e.suggestedFilename));
  session.on("Browser.downloadProgress", (e) => {
    if (e.state !== "completed") return;
    const entry = { name: names.get(e.guid), bytes: fs.readFileSync(path.join(downloads, e.guid)) };
    const waiter = downloadWaiters.shift();
    if (waiter) waiter(entry);
    else downloaded.set(entry.name, entry);
  });
});

after(async () => {
  await browser?.close();
  server?.close();
  fs.rmSync(scratch, { recursive: true, force: true });
});

const nextDownload = () => new Promise((resolve) => downloadWaiters.push(resolve));

async function openPage({ lang = "zh", width = 1280, height = 800 } = {}) {
  const page = await browser.newPage();
  const errors = [];
  page.on("pageerror", (e) => errors.push(e.message));
  page.errors = errors;
  await page.setViewport({ width, height });
  await page.goto(`${base}index.html${lang === "en" ? "?lang=en" : ""}`);
  await page.waitForSelector("body[data-ready=true]");
  await page.waitForFunction(() => document.querySelectorAll("#menubar .menu-top").length >= 5);
  return page;
}

const resultText = (page) => page.$eval("#result", (e) => e.textContent.replace(/\n/g, "\r\n"));
const editText = (page) => page.$eval("#edit", (e) => e.value);
const ended = (page) => page.evaluate(() => Number(document.body.dataset.ended ?? 0));

async function typeSystem(page, text) {
  await page.click("#edit");
  await page.keyboard.down("Control");
  await page.keyboard.press("a");
  await page.keyboard.up("Control");
  await page.keyboard.press("Delete");
  await page.keyboard.type(text);
}

/// Reads the open dialog, checks it against what the CLI showed, answers.
async function answerDialog(page, expected, answer) {
  const dialog = await page.waitForSelector("dialog[open][data-kind=input]");
  const shown = await dialog.evaluate((d) => ({
    caption: d.querySelector(".caption").textContent,
    prompt: d.querySelector(".prompt").textContent,
    default: d.querySelector("input.answer").value,
    focused: document.activeElement === d.querySelector("input.answer"),
  }));
  assert.deepEqual(shown, { ...expected, focused: true });
  await page.keyboard.down("Control");
  await page.keyboard.press("a");
  await page.keyboard.up("Control");
  await page.keyboard.type(answer);
  await page.keyboard.press("Enter");
}

/// Chooses a menu item with the mouse: the top menu, submenus, the item.
async function choose(page, ...ids) {
  await page.click(`#menu-${ids[0]}`);
  for (const id of ids.slice(1, -1)) await page.hover(`#item-${id}`);
  await page.click(`#item-${ids.at(-1)}`);
}

/// The registry's methods menu by keyboard alone: F10, arrows to the menu
/// whose caption is `menuCaption`, arrows down to `itemCaption`, Enter.
async function chooseByKeyboard(page, menuCaption, itemCaption) {
  await page.keyboard.press("F10");
  const focusedText = () => page.evaluate(() => document.activeElement.querySelector?.(".caption")?.textContent ?? document.activeElement.textContent);
  for (let i = 0; i < 10 && (await focusedText()) !== menuCaption; ++i) await page.keyboard.press("ArrowRight");
  assert.equal(await focusedText(), menuCaption);
  await page.keyboard.press("Enter");
  for (let i = 0; i < 30 && (await focusedText()) !== itemCaption; ++i) await page.keyboard.press("ArrowDown");
  assert.equal(await focusedText(), itemCaption);
  await page.keyboard.press("Enter");
}

async function runGaussTier(page, cliOut, answer, start) {
  await answerDialog(page, cliOut.dialogs[0], answer);
  await page.waitForFunction((n) => Number(document.body.dataset.ended ?? 0) > n, {}, start);
}

describe("GaussTier in the page reports what quorvex-cli reports", () => {
  test("chosen by keyboard, then with worked steps and exact fractions, then in English", { timeout: 120000 }, async () => {
    const page = await openPage();
    const input = writeInput("system.txt", kSystem);
    const captions = cliCaptions("zh");
    const methods = await page.$eval("#menu-Uncoil", (b) => b.textContent);
    await typeSystem(page, kSystem);

    const plain = cliRun("GaussTier", input, ["-a", "3"]);
    let start = await ended(page);
    await chooseByKeyboard(page, methods, captions.get("GaussTier"));
    await runGaussTier(page, plain, "3", start);
    assert.equal(await resultText(page), plain.report);
    // The focus comes back where the keyboard left it, for the next command.
    await page.waitForFunction(() => document.activeElement.id === "edit", { timeout: 5000 });

    await choose(page, "Format", "FormatExact");
    await choose(page, "Format", "FormatSteps");
    const worked = cliRun("GaussTier", input, ["-a", "3", "--exact", "--steps"]);
    assert.notEqual(worked.report, plain.report);
    start = await ended(page);
    await choose(page, "Uncoil", "GaussTier");
    await runGaussTier(page, worked, "3", start);
    assert.equal(await resultText(page), worked.report);

    await choose(page, "Format", "FormatLanguage", "FormatLanguageEnglish");
    await choose(page, "Format", "FormatDefault");
    await choose(page, "Format", "FormatDecimalDigits");
    await answerDialog(page, { caption: "Decimal Places", prompt: "Enter the number of decimal places n:", default: "6" }, "3");
    const english = cliRun("GaussTier", input, ["-a", "3", "-d", "3", "--lang", "en"]);
    const enCaptions = cliCaptions("en");
    start = await ended(page);
    await chooseByKeyboard(page, await page.$eval("#menu-Uncoil", (b) => b.textContent), enCaptions.get("GaussTier"));
    await runGaussTier(page, english, "3", start);
    assert.equal(await resultText(page), english.report);
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test("the methods menus list the registry's commands in its order, greyed while the edit area is blank", { timeout: 120000 }, async () => {
    const page = await openPage();
    const captions = cliCaptions("zh");
    const listed = await page.$$eval("#menubar li[data-id]", (items) =>
      items.map((li) => [li.dataset.id, li.querySelector(".caption").textContent]));
    const commands = listed.filter(([id]) => captions.has(id));
    assert.deepEqual(commands, [...captions.entries()]);
    await page.click("#edit");
    await page.keyboard.type("   ");
    await page.click("#menu-Uncoil");
    const disabled = await page.$eval("#item-GaussTier", (li) => li.getAttribute("aria-disabled"));
    assert.equal(disabled, "true");
    await page.keyboard.press("Escape");
    await page.click("#edit");
    await page.keyboard.type("1");
    await page.click("#menu-Uncoil");
    assert.equal(await page.$eval("#item-GaussTier", (li) => li.getAttribute("aria-disabled")), "false");
    await page.close();
  });
});

describe("dialogs and printing", () => {
  test("Esc cancels an input box as a missing answer does in quorvex-cli; Tab stays in the dialog", { timeout: 120000 }, async () => {
    const page = await openPage();
    const input = writeInput("cancel.txt", kSystem);
    await typeSystem(page, kSystem);
    const solved = cliRun("GaussTier", input, ["-a", "3"]);
    let start = await ended(page);
    await choose(page, "Uncoil", "GaussTier");
    await runGaussTier(page, solved, "3", start);
    const previous = path.join(scratch, "previous.txt");
    fs.writeFileSync(previous, solved.raw);

    // Gauss消去法 keeps the earlier report when its order is cancelled.
    const kept = cliRun("Gauss_1", input, ["-p", previous], 3);
    start = await ended(page);
    await choose(page, "Uncoil", "Gauss_1");
    const dialog = await page.waitForSelector("dialog[open][data-kind=input]");
    for (let i = 0; i < 5; ++i) {
      await page.keyboard.press("Tab");
      assert.ok(await dialog.evaluate((d) => d.contains(document.activeElement)));
    }
    await page.keyboard.press("Escape");
    await page.waitForFunction((n) => Number(document.body.dataset.ended ?? 0) > n, {}, start);
    assert.equal(await resultText(page), kept.report);
    assert.equal(kept.report, solved.report);

    // Gauss列主元消去法 empties the result area before it asks.
    const emptied = cliRun("GaussTier", input, ["-p", previous], 3);
    start = await ended(page);
    await choose(page, "Uncoil", "GaussTier");
    await page.waitForSelector("dialog[open][data-kind=input]");
    await page.keyboard.press("Escape");
    await page.waitForFunction((n) => Number(document.body.dataset.ended ?? 0) > n, {}, start);
    assert.equal(await resultText(page), emptied.report);
    await page.close();
  });

  test("a command of several dialogs, a question among them, asks what quorvex-cli asks", { timeout: 120000 }, async () => {
    const page = await openPage();
    const system = fs.readFileSync(path.join(repo, "examples/JacobiDie.txt"), "utf8").trimEnd();
    const input = writeInput("jacobi.txt", system);
    await typeSystem(page, system);
    const answers = ["0.5", false, "0.001", "3", "0", "0", "0"];
    const cliOut = cliRun("JacobiDie", input, answers.flatMap((a) => ["-a", a === false ? "n" : a]));
    assert.equal(cliOut.shown.length, answers.length);
    const start = await ended(page);
    await choose(page, "Uncoil", "JacobiDie");
    for (const [i, expected] of cliOut.shown.entries()) {
      if (expected.kind === "input") {
        await answerDialog(page, { caption: expected.caption, prompt: expected.prompt, default: expected.default }, answers[i]);
        continue;
      }
      const question = await page.waitForSelector("dialog[open][data-kind=yesno]");
      const shown = await question.evaluate((d) => ({
        kind: "yesno",
        caption: d.querySelector(".caption").textContent,
        prompt: d.querySelector(".prompt").textContent,
      }));
      assert.deepEqual(shown, expected);
      await page.keyboard.press("Enter"); // No, the default button
      await page.waitForFunction((d) => !d.isConnected, {}, question);
    }
    await page.waitForFunction((n) => Number(document.body.dataset.ended ?? 0) > n, {}, start);
    assert.equal(await resultText(page), cliOut.report);

    // A command that reads the edit area before it asks anything.
    await typeSystem(page, "3 -4 12");
    const vector = writeInput("vector.txt", "3 -4 12");
    const norms = cliRun("VectorModel", vector, []);
    const next = await ended(page);
    await choose(page, "Uncoil", "IterativeAstringency", "VectorModel");
    await page.waitForFunction((n) => Number(document.body.dataset.ended ?? 0) > n, {}, next);
    assert.equal(await resultText(page), norms.report);

    // A notice beside the report: the status bar says it, where a screen
    // reader hears it, and a note under the result area keeps it.
    const misread = "1 1 2\n1 10^400 3";
    await typeSystem(page, misread);
    const analysis = cliRun("ErrorAnalysis", writeInput("misread.txt", misread), ["-a", "2"]);
    assert.equal(analysis.notices.length, 1);
    const third = await ended(page);
    await choose(page, "Analysis", "ErrorAnalysis");
    await runGaussTier(page, analysis, "2", third);
    assert.equal(await resultText(page), analysis.report);
    assert.equal(await page.$eval("#status", (e) => e.textContent), analysis.notices[0]);
    assert.deepEqual(
      await page.$$eval("#notes:not([hidden]) li", (items) => items.map((li) => li.textContent)),
      analysis.notices,
    );
    // The next command without notices takes the note away.
    const fourth = await ended(page);
    await typeSystem(page, "3 -4 12");
    await choose(page, "Uncoil", "IterativeAstringency", "VectorModel");
    await page.waitForFunction((n) => Number(document.body.dataset.ended ?? 0) > n, {}, fourth);
    assert.equal(await page.$eval("#notes", (e) => e.hidden), true);
    await page.close();
  });

  test("printing gives the report alone", { timeout: 120000 }, async () => {
    const page = await openPage();
    const input = writeInput("print.txt", kSystem);
    await typeSystem(page, kSystem);
    const cliOut = cliRun("GaussTier", input, ["-a", "3"]);
    const start = await ended(page);
    await choose(page, "Uncoil", "GaussTier");
    await runGaussTier(page, cliOut, "3", start);
    await choose(page, "FileMenu", "FilePrint");
    await page.emulateMediaType("print");
    const printed = await page.evaluate(() => ({
      app: getComputedStyle(document.querySelector("#app")).display,
      report: getComputedStyle(document.querySelector("#print-report")).display,
      text: document.querySelector("#print-report").textContent,
    }));
    assert.deepEqual(printed, { app: "none", report: "block", text: cliOut.report });
    await page.close();
  });
});

describe("help", () => {
  for (const [lang, index] of [["zh", "help/index.html"], ["en", "help/en/index.html"]]) {
    test(`帮助文件 opens the help book in the page's language (${lang})`, { timeout: 120000 }, async () => {
      const page = await openPage({ lang });
      const opened = browser.waitForTarget((t) => t.url() === base + index);
      await choose(page, "mnuHelp", "mnuHelpFile");
      const help = await (await opened).page();
      await help.waitForFunction(() => document.readyState === "complete");
      const expected = fs.readFileSync(path.join(site, index), "utf8").match(/<title>(.*)<\/title>/)[1];
      assert.equal(await help.title(), expected);
      await help.close();
      await page.close();
    });
  }
});

describe("files", () => {
  test("a GB18030 file opens into the edit area; a large one can be declined", { timeout: 120000 }, async () => {
    const page = await openPage();
    const text = "2 1 3\n1 3 5\n这是 GB18030 编码的文件";
    const utf8 = path.join(scratch, "gb.utf8");
    fs.writeFileSync(utf8, text.replace(/\n/g, "\r\n"));
    const gb = path.join(scratch, "gb.txt");
    execFileSync("sh", ["-c", `iconv -f UTF-8 -t GB18030 "${utf8}" > "${gb}"`]);
    assert.notDeepEqual(fs.readFileSync(gb), fs.readFileSync(utf8));

    let [chooser] = await Promise.all([page.waitForFileChooser(), choose(page, "FileMenu", "FileOpen")]);
    await chooser.accept([gb]);
    await page.waitForFunction(() => document.querySelector("#edit").value.length > 0);
    assert.equal(await editText(page), text);
    assert.equal(await page.$eval("#status", (s) => s.textContent), "gb.txt");

    // Past 1500 bytes the window asks first; No leaves the byte count.
    const large = path.join(scratch, "large.txt");
    execFileSync("sh", ["-c", `for i in $(seq 200); do echo "1 2 3 方程"; done | iconv -f UTF-8 -t GB18030 > "${large}"`]);
    const size = fs.statSync(large).size;
    assert.ok(size > 1500);
    [chooser] = await Promise.all([page.waitForFileChooser(), choose(page, "FileMenu", "FileOpen")]);
    await chooser.accept([large]);
    const question = await page.waitForSelector("dialog[open][data-kind=yesno]");
    assert.equal(await question.$eval(".prompt", (p) => p.textContent), "文件太大，如果打开可能要等一段时间，是否仍要继续？");
    assert.equal(await question.$eval(".caption", (p) => p.textContent), "温馨提示");
    await page.keyboard.press("Enter"); // No is the default
    await page.waitForFunction(() => !document.querySelector("dialog[open]"));
    assert.equal(await editText(page), String(size));
    await page.close();
  });

  test("the report saves as it is shown and exports to HTML, LaTeX and Markdown as quorvex-cli exports it", { timeout: 120000 }, async () => {
    const page = await openPage();
    const input = writeInput("export.txt", kSystem);
    await typeSystem(page, kSystem);
    const cliOut = cliRun("GaussTier", input, ["-a", "3"]);
    const start = await ended(page);
    await choose(page, "Uncoil", "GaussTier");
    await runGaussTier(page, cliOut, "3", start);

    let file = nextDownload();
    await choose(page, "FileMenu", "FileSave");
    assert.deepEqual((await file).bytes, cliOut.raw);

    for (const [format, item, name] of [
      ["html", "FileExportHtml", "quorvex.html"],
      ["latex", "FileExportLatex", "quorvex.tex"],
      ["markdown", "FileExportMarkdown", "quorvex.md"],
    ]) {
      const exported = cliRun("GaussTier", input, ["-a", "3", "--format", format]);
      file = nextDownload();
      await choose(page, "FileMenu", "FileExport", item);
      const saved = await file;
      assert.equal(saved.name, name);
      assert.equal(saved.bytes.toString("utf8"), exported.report);
    }
    await page.close();
  });
});

describe("stopping", () => {
  test("a long command stops, leaves both areas as they were, and the page works on", { timeout: 120000 }, async () => {
    const page = await openPage();
    const input = writeInput("stop.txt", kSystem);
    await typeSystem(page, kSystem);
    const cliOut = cliRun("GaussTier", input, ["-a", "3"]);
    let start = await ended(page);
    await choose(page, "Uncoil", "GaussTier");
    await runGaussTier(page, cliOut, "3", start);
    const report = await resultText(page);

    // An order large enough that elimination runs for long, generated here.
    const n = 1500;
    const rows = [];
    for (let i = 0; i < n; ++i) {
      const row = [];
      for (let j = 0; j <= n; ++j) row.push(((i * 7 + j * 13) % 19) - 9 + (i === j ? 200 : 0));
      rows.push(row.join(" "));
    }
    const large = rows.join("\n");
    await page.$eval("#edit", (e, v) => {
      e.value = v;
      e.dispatchEvent(new Event("input"));
    }, large);
    start = await ended(page);
    await choose(page, "Uncoil", "GaussTier");
    await answerDialog(page, cliOut.dialogs[0], String(n));
    await page.waitForSelector('#toolbar [data-tool="stop"]:not([hidden])');
    await page.keyboard.press("Escape");
    await page.waitForFunction((k) => Number(document.body.dataset.ended ?? 0) > k, {}, start);
    assert.equal(await page.$eval("#status", (s) => s.textContent), "计算已停止，编辑区和结果区保持原样。");
    assert.equal(await page.$eval('#toolbar [data-tool="stop"]', (b) => b.hidden), true);
    assert.equal(await editText(page), large);
    assert.equal(await resultText(page), report);

    // The fresh core still exports the report that was shown before.
    const html = cliRun("GaussTier", input, ["-a", "3", "--format", "html"]);
    const file = nextDownload();
    await choose(page, "FileMenu", "FileExport", "FileExportHtml");
    assert.equal((await file).bytes.toString("utf8"), html.report);

    await typeSystem(page, kSystem);
    start = await ended(page);
    await choose(page, "Uncoil", "GaussTier");
    await runGaussTier(page, cliOut, "3", start);
    assert.equal(await resultText(page), cliOut.report);
    await page.close();
  });
});

describe("large reports", () => {
  test("a report of long lines is shown whole, its widest lines not cut off", { timeout: 120000 }, async () => {
    const page = await openPage();
    const n = 150;
    const rows = [];
    for (let i = 0; i < n; ++i) {
      const row = [];
      for (let j = 0; j <= n; ++j) row.push((((i * 5 + j * 11) % 23) - 11) / 7 + (i === j ? 90 : 0));
      rows.push(row.join(" "));
    }
    const text = rows.join("\n");
    const input = writeInput("wide.txt", text);
    const cliOut = cliRun("GaussTier", input, ["-a", String(n)]);
    await page.$eval("#edit", (e, v) => {
      e.value = v;
      e.dispatchEvent(new Event("input"));
    }, text);
    const start = await ended(page);
    await choose(page, "Uncoil", "GaussTier");
    await runGaussTier(page, cliOut, String(n), start);
    assert.equal(await resultText(page), cliOut.report);

    // Scrolled to the far end, the lines in view are as wide as their text.
    const widths = await page.$eval("#result", async (area) => {
      area.scrollTop = area.scrollHeight / 3;
      area.scrollLeft = area.scrollWidth;
      await new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0)));
      const top = area.getBoundingClientRect().top;
      const block = [...area.children].find((b) => b.getBoundingClientRect().bottom > top);
      const range = document.createRange();
      range.selectNodeContents(block);
      return { text: range.getBoundingClientRect().width, block: block.getBoundingClientRect().width, area: area.scrollWidth };
    });
    assert.ok(widths.text > 3000, "the lines are long");
    assert.ok(widths.text <= widths.block + 1 && widths.block <= widths.area + 1, JSON.stringify(widths));
    await page.close();
  });
});

describe("layout", () => {
  const box = (page, sel) => page.$eval(sel, (e) => e.getBoundingClientRect().toJSON());

  async function shot(page, file) {
    if (!process.env.QUORVEX_SHOTS) return;
    await page.screenshot({ path: path.join(repo, "resources/help", file) });
  }

  for (const lang of ["zh", "en"]) {
    test(`side by side on a desktop, stacked on a phone (${lang})`, { timeout: 120000 }, async () => {
      const page = await openPage({ lang });
      const input = writeInput(`shot-${lang}.txt`, kSystem);
      await typeSystem(page, kSystem);
      const cliOut = cliRun("GaussTier", input, ["-a", "3", "--steps", "--lang", lang]);
      await choose(page, "Format", "FormatSteps");
      const start = await ended(page);
      await choose(page, "Uncoil", "GaussTier");
      await runGaussTier(page, cliOut, "3", start);
      assert.equal(await resultText(page), cliOut.report);

      let edit = await box(page, "#edit");
      let result = await box(page, "#result");
      assert.ok(edit.right <= result.left, "the edit area stands left of the result area");
      assert.ok(Math.abs(edit.top - result.top) < 1);
      await shot(page, lang === "en" ? "web-en.png" : "web.png");

      await page.setViewport({ width: 390, height: 844 });
      edit = await box(page, "#edit");
      result = await box(page, "#result");
      assert.ok(edit.bottom <= result.top, "the edit area stands above the result area");
      assert.ok(edit.width > 300 && result.width > 300);
      await shot(page, lang === "en" ? "web-phone-en.png" : "web-phone.png");
      await page.close();
    });
  }
});
