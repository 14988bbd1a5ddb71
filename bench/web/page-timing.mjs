// Times the page in headless chromium against the native tool: the page
// ready (its WebAssembly core loaded) after opening, and commands from the
// menu click to the report shown, the time the input box waits for its
// answer left out, each the median of several runs, each run paired with
// a run of the native tool for the ratio.
//
//   node bench/web/page-timing.mjs [RUNS]
//   QUORVEX_SITE (default build-wasm/site), QUORVEX_CLI (default
//   build/cli/quorvex-cli), CHROMIUM (default /usr/bin/chromium)
//
// Uses the browser test's puppeteer-core (scripts/install-deps installs it).
import { spawnSync } from "node:child_process";
import fs from "node:fs";
import http from "node:http";
import { createRequire } from "node:module";
import os from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";

const repo = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const require = createRequire(path.join(repo, "tests/web/package.json"));
const puppeteer = require("puppeteer-core");
const site = path.resolve(process.env.QUORVEX_SITE ?? path.join(repo, "build-wasm/site"));
const cli = path.resolve(process.env.QUORVEX_CLI ?? path.join(repo, "build/cli/quorvex-cli"));
const runs = Number(process.argv[2] ?? 5);
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), "quorvex-timing-"));

/// A system of order n with integer entries and a dominant diagonal, the
/// same for every run (a linear congruential sequence).
function system(n) {
  let seed = 12345;
  const next = () => (seed = (seed * 1103515245 + 12345) % 2147483648) % 19 - 9;
  const rows = [];
  for (let i = 0; i < n; ++i) {
    const row = [];
    for (let j = 0; j <= n; ++j) row.push(i === j ? 10 * n : next());
    rows.push(row.join(" "));
  }
  return rows.join("\r\n");
}

const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

/// One run of the native tool on the input file, in seconds.
function nativeSeconds(command, input, answer) {
  const t = process.hrtime.bigint();
  const out = spawnSync(cli, [command, "-i", input, "-a", answer, "-o", path.join(scratch, "out.txt")]);
  if (out.status !== 0) throw new Error(`quorvex-cli ${command}: ${out.stderr}`);
  return Number(process.hrtime.bigint() - t) / 1e9;
}

const types = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css", ".wasm": "application/wasm", ".png": "image/png" };
const server = http.createServer((req, res) => {
  let file = path.join(site, decodeURIComponent(new URL(req.url, "http://h").pathname));
  if (fs.existsSync(file) && fs.statSync(file).isDirectory()) file = path.join(file, "index.html");
  fs.readFile(file, (err, body) => {
    if (err) return res.writeHead(404).end();
    res.writeHead(200, { "Content-Type": types[path.extname(file)] ?? "application/octet-stream" }).end(body);
  });
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
const base = `http://127.0.0.1:${server.address().port}/index.html`;
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
  headless: true,
  userDataDir: fs.mkdtempSync(path.join(scratch, "profile-")),
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync"],
});

async function openPage() {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 800 });
  const t = Date.now();
  await page.goto(base);
  await page.waitForSelector("body[data-ready=true]");
  await page.waitForFunction(() => document.querySelectorAll("#menubar .menu-top").length >= 5);
  return { page, seconds: (Date.now() - t) / 1000 };
}

/// Marks, in the page's own clock, the click on a menu item, the input box
/// opening, the Enter that answers it, and the first frame painted after the
/// command has ended; the driver's own round trips are not the page's time.
function markCommand() {
  const marks = (window.timingMarks = {});
  document.addEventListener("click", (e) => {
    if (e.target.closest?.("[id^=item-]")) marks.click = e.timeStamp;
  }, { capture: true });
  document.addEventListener("keydown", (e) => {
    if (e.key === "Enter" && document.querySelector("dialog[open]")) marks.answer = e.timeStamp;
  }, { capture: true });
  new MutationObserver(() => {
    if (marks.dialog === undefined && document.querySelector("dialog[open][data-kind=input]"))
      marks.dialog = performance.now();
  }).observe(document.body, { subtree: true, attributes: true, childList: true });
  new MutationObserver(() => {
    requestAnimationFrame(() => setTimeout(() => (marks.shown = performance.now())));
  }).observe(document.body, { attributes: true, attributeFilter: ["data-ended"] });
}

/// Seconds from the click to the report shown, the time the input box
/// waits for its answer left out: measured in the page, and as the driver
/// sees it (which adds its own round trips to the browser).
async function pageSeconds(command, text, answer) {
  const { page } = await openPage();
  await page.$eval("#edit", (e, v) => {
    e.value = v;
    e.dispatchEvent(new Event("input", { bubbles: true }));
  }, text);
  await page.evaluate(markCommand);
  const before = await page.evaluate(() => Number(document.body.dataset.ended ?? 0));
  const t = Date.now();
  await page.click("#menu-Uncoil");
  await page.click(`#item-${command}`);
  const dialog = await page.waitForSelector("dialog[open][data-kind=input] input.answer");
  await dialog.evaluate((e, v) => { e.value = v; }, answer);
  await page.keyboard.press("Enter");
  await page.waitForFunction((n) => Number(document.body.dataset.ended ?? 0) > n, { timeout: 0 }, before);
  const driven = (Date.now() - t) / 1000;
  await page.waitForFunction(() => window.timingMarks.shown !== undefined);
  const m = await page.evaluate(() => window.timingMarks);
  await page.close();
  return { inPage: (m.dialog - m.click + (m.shown - m.answer)) / 1000, driven };
}

/// Each page run paired with a native run just before it, so that the
/// ratio holds when the machine's speed drifts: the medians of each, and
/// the median of the pairs' ratios.
async function compare(command, n, answer) {
  const text = system(n);
  const input = path.join(scratch, "input.txt");
  fs.writeFileSync(input, text);
  const native = [];
  const inPage = [];
  const driven = [];
  const ratios = [];
  nativeSeconds(command, input, answer); // warm the file cache
  for (let r = 0; r < runs; ++r) {
    // The browser settles after closing the last page before the tool runs.
    await new Promise((resolve) => setTimeout(resolve, 500));
    native.push(nativeSeconds(command, input, answer));
    const p = await pageSeconds(command, text, answer);
    inPage.push(p.inPage);
    driven.push(p.driven);
    ratios.push(p.inPage / native[r]);
  }
  return { native: median(native), inPage: median(inPage), driven: median(driven), ratio: median(ratios) };
}

const ready = [];
for (let r = 0; r < runs; ++r) {
  const { page, seconds } = await openPage();
  ready.push(seconds);
  await page.close();
}
console.log(`page ready after opening: ${median(ready).toFixed(3)} s`);
for (const [command, n, answer] of [["GaussTier", 100, "100"], ["GaussTier", 1000, "1000"], ["A_matrix", 300, "300"]]) {
  const { native, inPage, driven, ratio } = await compare(command, n, answer);
  console.log(`${command} order ${n}: page ${inPage.toFixed(3)} s (as driven ${driven.toFixed(3)} s), ` +
    `native CLI ${native.toFixed(3)} s, ratio ${ratio.toFixed(2)} (median of the paired runs' ratios)`);
}
await browser.close();
server.close();
fs.rmSync(scratch, { recursive: true, force: true });
