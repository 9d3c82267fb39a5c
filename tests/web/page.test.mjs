// The browser page in Debian's chromium, driven headless by playwright-core: it runs, downloads
// the desktop's bytes, plays, refuses, opens a linkage, speaks English, passes an accessibility
// audit and draws what the desktop draws.
// usage: node page.test.mjs SITE_DIR MECHSIM DRAW_CALLS EXAMPLES_DIR [SCREENSHOT_DIR]
import { execFileSync } from "node:child_process";
import { readFileSync, mkdtempSync, existsSync } from "node:fs";
import { createServer } from "node:http";
import { tmpdir } from "node:os";
import { join, extname } from "node:path";
import { chromium } from "playwright-core";

const [site, mechsim, drawCalls, examples, screenshots] = process.argv.slice(2);
if (!site || !existsSync(join(site, "index.html"))) {
  console.log(`no page built in ${site}: make web`);
  process.exit(77);
}

const types = { ".html": "text/html; charset=utf-8", ".js": "text/javascript",
                ".wasm": "application/wasm", ".woff2": "font/woff2" };
const requested = [];
const server = createServer((request, response) => {
  const name = new URL(request.url, "http://localhost").pathname.replace(/^\/$/, "/index.html");
  requested.push(name);
  const path = join(site, name);
  if (!existsSync(path)) { response.writeHead(404); response.end(); return; }
  response.writeHead(200, { "content-type": types[extname(path)] || "application/octet-stream" });
  response.end(readFileSync(path));
});
await new Promise((done) => server.listen(0, "127.0.0.1", done));
const origin = `http://127.0.0.1:${server.address().port}`;

const browser = await chromium.launch({
  executablePath: "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync"],
});
const failures = [];
function check(condition, what) {
  console.log(`${condition ? "ok  " : "FAIL"} ${what}`);
  if (!condition) failures.push(what);
}

// Two result files hold the same table: the same header, line ends, rows and times, byte for
// byte, and values equal to 1e-12 of their column's largest magnitude. The page's C library
// rounds sines and arc tangents differently from the desktop's in the last bit now and then, so
// a value's shortest text may differ in its last digit.
function sameTable(web, desktop) {
  const rows = (bytes) => bytes.toString("latin1").split("\r\n").map((line) => line.split("\t"));
  const a = rows(web), b = rows(desktop);
  if (a.length !== b.length || a[0].join() !== b[0].join()) return false;
  const scale = b[0].map((_, j) => Math.max(1, ...b.slice(1).map((r) => Math.abs(Number(r[j]) || 0))));
  let differing = 0;
  for (let i = 1; i < a.length; ++i) {
    if (a[i].length !== b[i].length || a[i][0] !== b[i][0]) return false;
    for (let j = 1; j < a[i].length; ++j) {
      if (a[i][j] === b[i][j]) continue;
      ++differing;
      if (!(Math.abs(Number(a[i][j]) - Number(b[i][j])) <= 1e-12 * scale[j])) return false;
    }
  }
  console.log(`     ${differing} of ${(a.length - 2) * (a[0].length - 1)} values differ in their last digits`);
  return true;
}

const work = mkdtempSync(join(tmpdir(), "mechsim-page-"));
function desktopBytes(args) {
  const output = join(work, `desktop-${Math.random().toString(36).slice(2)}.dat`);
  execFileSync(mechsim, ["run", ...args, "--output", output], { stdio: "ignore" });
  return readFileSync(output);
}

try {
  // The audit's script is added inline, which the page's own policy forbids.
  const context = await browser.newContext({ acceptDownloads: true, bypassCSP: true,
                                             viewport: { width: 1280, height: 900 } });
  const page = await context.newPage();
  const errors = [];
  page.on("pageerror", (e) => errors.push(e.message));
  const outside = [];
  page.on("request", (r) => { if (!r.url().startsWith(origin) && !r.url().startsWith("data:")
                                  && !r.url().startsWith("blob:")) outside.push(r.url()); });
  await page.goto(origin + "/");
  await page.waitForSelector("body[data-ready=true]");
  const downloaded = async () => {
    const [download] = await Promise.all([page.waitForEvent("download"), page.click("#download")]);
    return readFileSync(await download.path());
  };

  // The four-bar's result file is the desktop's, byte for byte.
  await page.selectOption("#mechanism", "four-bar");
  await page.click("#run");
  const fourBar = await downloaded();
  check(sameTable(fourBar, desktopBytes(["four-bar"])),
        "four-bar result.dat is the desktop's table (header, rows, times exact; values to 1e-12)");

  // The saved set-up gives the same table on the desktop.
  const [saved] = await Promise.all([page.waitForEvent("download"), page.click("#save")]);
  const setUp = join(work, saved.suggestedFilename());
  await saved.saveAs(setUp);
  check(setUp.endsWith(".mechsim") && sameTable(fourBar, desktopBytes([setUp])),
        "the saved set-up runs on the desktop to the same table");

  // Pause, then step forward and back.
  await page.click("#play");
  const stepShown = () => page.evaluate(() => Number(document.getElementById("slider").value));
  const paused = await stepShown();
  await page.click("#forward");
  check(await stepShown() === paused + 1, "a step forward moves on by one step");
  await page.click("#back");
  await page.click("#back");
  check(await stepShown() === Math.max(0, paused - 1), "two steps back move back by two");
  const row = await page.$$eval("#values td", (cells) => cells.map((c) => c.textContent));
  const lines = fourBar.toString("latin1").split("\r\n");
  const fileRow = lines[1 + Math.max(0, paused - 1)].split("\t");
  check(row.length > 0 && row.every((v, i) => v === fileRow[i]),
        "the current values are the file's row of the step shown");

  // The pose and STOP's summary draw what the desktop draws.
  const recorded = await page.evaluate(() => {
    const view = Mechsim.canvas("view");
    const take = (act) => { view.log = []; act(); const log = view.log; view.log = null;
                            const last = log.map((c) => c.kind).lastIndexOf("clear");
                            return log.slice(last + 1); };
    const pose = take(() => Module.goToStep(50));
    const summary = take(() => Module.stop());
    return { pose, summary };
  });
  const desktop = JSON.parse(execFileSync(drawCalls, ["four-bar", "50"]).toString());
  for (const name of ["pose", "summary"]) {
    const web = recorded[name];
    const lines = web.filter((c) => c.kind === "line")
      .map((c) => [...c.a, ...c.b, ...c.rgb, c.width, c.dotted ? 1 : 0]);
    const circles = web.filter((c) => c.kind === "circle")
      .map((c) => [...c.centre, c.radius, ...c.rgb, c.width]);
    const texts = web.filter((c) => c.kind === "text").map((c) => c.text);
    const same = (a, b) => a.length === b.length && a.every((x, i) =>
      x.length === b[i].length && x.every((v, j) => Math.abs(v - b[i][j]) <= 1e-9));
    check(same(lines, desktop[name].lines) && same(circles, desktop[name].circles)
          && JSON.stringify(texts) === JSON.stringify(desktop[name].texts),
          `the ${name} draws the desktop's lines, circles and texts (${lines.length} lines)`);
  }

  // A bad value is refused in the message line, naming the box; the last run's file stays.
  const firstBox = await page.$eval("#inputs input", (input) => input.id);
  const caption = await page.$eval(`label[for="${firstBox}"]`, (l) => l.textContent);
  await page.fill("#" + firstBox, "abc");
  await page.click("#run");
  const message = await page.textContent("#message");
  check(await page.$eval("#message", (m) => m.classList.contains("refusal"))
        && message.includes(caption), `a bad value is refused naming ${caption}: ${message}`);
  check((await downloaded()).equals(fourBar), "the refused run leaves the last result.dat");

  // A linkage file from the disk runs as on the desktop.
  await page.setInputFiles("#open", join(examples, "watt.mechsim"));
  await page.click("#run");
  check(!(await page.$eval("#message", (m) => m.classList.contains("refusal")))
        && sameTable(await downloaded(), desktopBytes([join(examples, "watt.mechsim")])),
        "an opened linkage file gives the desktop's result.dat");

  // English throughout, a refusal included.
  await page.click("#language");
  await page.fill("#divisions", "0");
  await page.click("#run");
  const japanese = /[\u3040-\u30ff\u4e00-\u9fff]/;
  const shown = await page.evaluate(() => [...document.querySelectorAll(
    "label, legend, button, figcaption, #message, #values-caption, option")]
    // The gallery's and a linkage's titles are their authors' words, the switch back says 日本語.
    .filter((e) => !e.closest("#gallery") && e.id !== "language"
                   && !(e.tagName === "OPTION" && e.value === "linkage"))
    .map((e) => e.textContent).join("\n"));
  const left = shown.split("\n").filter((line) => japanese.test(line));
  check(left.length === 0, `English shows no Japanese${left.length ? ": " + left.join(" | ") : ""}`);
  await page.click("#language");
  await page.fill("#divisions", "200");

  // No serious accessibility finding, in either layout.
  const axe = readFileSync(new URL("./node_modules/axe-core/axe.min.js", import.meta.url), "utf8");
  for (const viewport of [{ width: 1280, height: 900 }, { width: 390, height: 844 }]) {
    await page.setViewportSize(viewport);
    await page.addScriptTag({ content: axe });
    const findings = await page.evaluate(async () => (await axe.run(document)).violations
      .filter((v) => v.impact === "serious" || v.impact === "critical")
      .map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(" ")).join(", ")}`));
    check(findings.length === 0, `axe at ${viewport.width} px: ${findings.join("; ") || "none serious"}`);
  }

  if (screenshots) {
    await page.selectOption("#mechanism", "four-bar");
    await page.check("#option-1");   // the velocity arrows
    for (const [name, viewport] of [["web_desktop.png", { width: 1280, height: 1000 }],
                                    ["web_phone.png", { width: 390, height: 844 }]]) {
      await page.setViewportSize(viewport);
      await page.click("#run");
      await page.waitForTimeout(1200);
      await page.click("#play");
      await page.screenshot({ path: join(screenshots, name), fullPage: name === "web_phone.png" });
    }
  }
  check(errors.length === 0, `no script errors${errors.length ? ": " + errors.join(" | ") : ""}`);
  check(outside.length === 0, `no request leaves the page's host${outside.length ? ": " + outside : ""}`);
} finally {
  await browser.close();
  server.close();
}
if (failures.length) {
  console.log(`${failures.length} failed`);
  process.exit(1);
}
