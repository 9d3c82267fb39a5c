// The page around the core: builds the form of the chosen mechanism, hands its set-up to the
// core, draws what the core draws on HTML canvases and plays the run. Every text is Japanese,
// shown in English from the desktop's catalogue when the visitor switches; texts of the page
// alone are marked with qsTranslate("web", ...) so the catalogue collects them too.
(() => {   // the page's names stay apart from the runtime's
"use strict";

// The page's own texts (the desktop's catalogue keeps them under "web").
function qsTranslate(context, text) { return text; }
const PAGE_TEXTS = {
  title: qsTranslate("web", "平面機構シミュレータ"),
  controls: qsTranslate("web", "機構と入力"),
  results: qsTranslate("web", "結果"),
  mechanism: qsTranslate("web", "機構"),
  gallery: qsTranslate("web", "例題"),
  galleryNone: qsTranslate("web", "（例題を選ぶ）"),
  open: qsTranslate("web", "開く"),
  save: qsTranslate("web", "設定を保存"),
  inputs: qsTranslate("web", "寸法と動き"),
  profile: qsTranslate("web", "動作曲線"),
  settings: qsTranslate("web", "設定"),
  view: qsTranslate("web", "表示"),
  download: qsTranslate("web", "result.dat をダウンロード"),
  ran: qsTranslate("web", "計算しました。result.dat をダウンロードできます。"),
  opened: qsTranslate("web", "%1 を開きました。"),
  language: qsTranslate("web", "English"),
  tooLarge: qsTranslate("web", "%1 は大きすぎて開けません（1 MB まで）。"),
};
// Texts shared with the desktop's windows, in the words of its catalogue.
const SHARED_TEXTS = {
  pause: "一時停止", resume: "再開", back: "1ステップ戻る", forward: "1ステップ進む",
  slider: "時刻スライダー", sliderTip: "表示するステップ（0 から N まで）", speed: "速さ",
  speedTip: "アニメーションの速さ：50 ms ごとに進むステップ数の倍率", values: "現在の値",
  valuesTip: "表示中のステップの result.dat の行（列の名前の下に値）",
  cycleTime: "サイクルタイム(秒)＝", divisions: "時分割数＝",
  cycleTimeTip: "一回の動きにかける時間［秒］（0.000001 から 1000000 まで）",
  divisionsTip: "一回の動きを何ステップに分けて計算するか（1 から 10000000 までの整数。10000000 では結果ファイルが約 1.8 GB になります）",
  view: "機構の図", animation: "動画", shownStep: "表示中のステップ",
};
const PIXELS_PER_MM = 96 / 25.4;
const FONT_PX = 16;   // the pictures' 12-point Gothic at 96 dpi
const FONT = FONT_PX + 'px "MechsimGothic", sans-serif';
const TICK_MS = 50;
const RESULT_PART_BYTES = 16 << 20;
const RESULT_KEPT_BYTES = 256 << 20;
const VIEW_SHOWS_PAGE = 2;   // the view shows a next page, with the time cursor

const $ = (id) => document.getElementById(id);

// One picture: the core draws on it in millimetres from its top-left corner.
class PagePicture {
  constructor(id, width, height) {
    this.element = $(id);
    this.width = width;
    this.height = height;
    this.ratio = Math.max(1, Math.round(window.devicePixelRatio || 1));
    this.element.style.maxWidth = width + 4 + "px";   // never blurred by enlarging
    this.element.width = width * this.ratio;
    this.element.height = height * this.ratio;
    this.context = this.element.getContext("2d");
    this.log = null;   // the calls drawn, in millimetres, while a test records them
    this.measure();
    this.clear();
  }
  measure() {
    const c = this.context;
    c.font = FONT;
    const m = c.measureText("国Agy");
    this.ascent = m.fontBoundingBoxAscent || FONT_PX * 0.88;
    this.descent = m.fontBoundingBoxDescent || FONT_PX * 0.12;
  }
  px(mm) { return mm * PIXELS_PER_MM * this.ratio; }
  clear() {
    const c = this.context;
    c.setTransform(1, 0, 0, 1, 0, 0);
    c.fillStyle = "#fff";
    c.fillRect(0, 0, this.element.width, this.element.height);
    if (this.log) this.log.push({ kind: "clear" });
  }
  pen(r, g, b, width, dotted) {
    const c = this.context;
    c.strokeStyle = `rgb(${r},${g},${b})`;
    c.lineWidth = Math.max(1, width) * this.ratio;
    c.setLineDash(dotted ? [c.lineWidth, 2 * c.lineWidth] : []);
    c.lineCap = "square";
    c.lineJoin = "miter";
  }
  lines(xy, r, g, b, width, dotted) {
    const c = this.context;
    this.pen(r, g, b, width, dotted);
    // An odd pen is centred on a pixel, as the desktop's raster draws it.
    const half = Math.max(1, width) % 2 === 1 ? 0.5 * this.ratio : 0;
    c.beginPath();
    for (let i = 0; i < xy.length; i += 2) {
      const x = this.px(xy[i]) + half, y = this.px(xy[i + 1]) + half;
      if (i === 0) c.moveTo(x, y); else c.lineTo(x, y);
    }
    c.stroke();
    if (this.log) {
      for (let i = 2; i < xy.length; i += 2)
        this.log.push({ kind: "line", a: [xy[i - 2], xy[i - 1]], b: [xy[i], xy[i + 1]],
                        rgb: [r, g, b], width, dotted: !!dotted });
    }
  }
  circle(x, y, radius, r, g, b, width, dotted) {
    const c = this.context;
    this.pen(r, g, b, width, dotted);
    c.beginPath();
    c.arc(this.px(x), this.px(y), this.px(radius), 0, 2 * Math.PI);
    c.stroke();
    if (this.log)
      this.log.push({ kind: "circle", centre: [x, y], radius, rgb: [r, g, b], width });
  }
  text(x, y, text) {
    const c = this.context;
    c.font = FONT;
    c.fillStyle = "#000";
    c.textBaseline = "alphabetic";
    c.save();
    c.scale(this.ratio, this.ratio);
    c.fillText(text, x * PIXELS_PER_MM, y * PIXELS_PER_MM + this.ascent);
    c.restore();
    if (this.log) this.log.push({ kind: "text", topLeft: [x, y], text });
  }
  textWidth(text) {
    this.context.font = FONT;
    return this.context.measureText(text).width;
  }
  textHeight() { return this.ascent + this.descent; }
}

const page = {
  language: "ja",
  form: null,
  pictures: {},
  pendingParts: null,
  resultParts: null,
  timer: null,
  viewCaption: "動画",
};

// The catalogue's English for a whole Japanese text, or the text itself.
function lookup(text) {
  if (page.language !== "en") return text;
  const english = MechsimData.catalogue[text];
  return english === undefined ? text : english;
}

// A Japanese text in the language shown, composed as the desktop composes it.
function T(text) {
  return page.language === "en" && text ? Module.translate(text) : text;
}

// The hooks the core's pictures and runs call.
globalThis.Mechsim = {
  canvas: (id) => page.pictures[id],
  lookup,
  resultBlock: (bytes) => { if (page.pendingParts) page.pendingParts.take(bytes); },
  page,
};

function setText(id, text) { $(id).textContent = text; }

// The large picture's caption: what it shows, kept in Japanese to be shown in either language.
function showViewCaption(caption) {
  page.viewCaption = caption;
  setText("view-caption", T(caption));
}

function fillPattern(pattern, ...parts) {
  return pattern.replace(/%(\d)/g, (m, i) => (Number(i) <= parts.length ? parts[Number(i) - 1] : m));
}

function showMessage(text, refusal) {
  const line = $("message");
  line.textContent = text;
  line.classList.toggle("refusal", !!refusal);
}

// The boxes, assembly boxes and profile buttons of the chosen mechanism.
function buildForm(setUp) {
  const form = Module.describe();
  page.form = form;
  const inputs = $("inputs"), branches = $("branches");
  inputs.replaceChildren();
  branches.replaceChildren();
  const given = (setUp && setUp.inputs) || {};
  const numbers = form.inputs.filter((b) => !b.branch).sort((a, b) => a.row - b.row);
  for (const box of numbers) {
    const id = "input-" + box.key;
    const label = document.createElement("label");
    label.htmlFor = id;
    label.dataset.text = box.caption;
    label.dataset.tip = box.description;
    const input = document.createElement("input");
    input.type = "text";
    input.id = id;
    input.dataset.key = box.key;
    input.dataset.tip = box.description;
    input.value = typeof given[box.key] === "string" ? given[box.key] : box.defaultText;
    input.addEventListener("keydown", (e) => { if (e.key === "Enter") run(); });
    inputs.append(label, input);
  }
  for (const box of form.inputs.filter((b) => b.branch)) {
    const id = "input-" + box.key;
    const row = document.createElement("div");
    row.className = "row";
    const input = document.createElement("input");
    input.type = "checkbox";
    input.id = id;
    input.dataset.key = box.key;
    input.dataset.tip = box.description;
    input.checked = given[box.key] === -1;
    const label = document.createElement("label");
    label.htmlFor = id;
    label.dataset.text = box.caption;
    label.dataset.tip = box.description;
    label.dataset.key = box.key;
    row.append(input, label);
    branches.append(row);
  }
  const profiles = $("profiles");
  profiles.replaceChildren();
  const chosen = setUp && setUp.profile !== undefined ? setUp.profile : 0;
  form.profiles.forEach((caption, i) => {
    const row = document.createElement("div");
    row.className = "row";
    const input = document.createElement("input");
    input.type = "radio";
    input.name = "profile";
    input.id = "profile-" + i;
    input.value = String(i);
    input.checked = i === chosen;
    const label = document.createElement("label");
    label.htmlFor = input.id;
    label.dataset.text = caption;
    row.append(input, label);
    profiles.append(row);
  });
  if (setUp && setUp.divisions !== undefined) $("divisions").value = setUp.divisions;
  if (setUp && setUp.cycleTime !== undefined) $("cycle-time").value = setUp.cycleTime;
  for (const id of ["graph1", "graph2", "view"]) page.pictures[id].clear();
  page.resultParts = null;
  $("download").disabled = true;
  showTransport();
  translatePage();
}

function typedSetUp() {
  const inputs = {};
  for (const input of document.querySelectorAll("#inputs input, #branches input")) {
    inputs[input.dataset.key] = input.type === "checkbox" ? (input.checked ? -1 : 1) : input.value;
  }
  const profile = document.querySelector("input[name=profile]:checked");
  return { inputs, profile: profile ? Number(profile.value) : 0,
           divisions: $("divisions").value, cycleTime: $("cycle-time").value };
}

// The view's check boxes, in the order the core's options take them.
function applyOptions() {
  const on = (i) => $("option-" + i).checked;
  Module.setOptions(on(0), on(1), on(2), on(3));
}

// The result file as it streams from the core, gathered into parts of 16 MB. Handing a part to
// the browser's file storage (a Blob) costs as much as computing it, so the parts stay in the
// page while the run goes and are handed over one at a time afterwards, between the player's
// ticks; beyond RESULT_KEPT_BYTES they are handed over at once, so a long run keeps no more.
class ResultParts {
  constructor() {
    this.parts = [];
    this.kept = 0;
    this.buffer = new Uint8Array(RESULT_PART_BYTES);
    this.used = 0;
  }
  take(bytes) {
    if (this.used + bytes.length > this.buffer.length) this.flush();
    this.buffer.set(bytes, this.used);
    this.used += bytes.length;
  }
  flush() {
    if (!this.used) return;
    const part = this.buffer.slice(0, this.used);
    this.used = 0;
    if (this.kept + part.length > RESULT_KEPT_BYTES) {
      this.parts.push(new Blob([part]));
    } else {
      this.parts.push(part);
      this.kept += part.length;
    }
  }
  finish() {
    this.flush();
    this.buffer = null;
    const parts = this.parts;
    const handOver = (i) => {
      if (i >= parts.length) return;
      if (!(parts[i] instanceof Blob)) parts[i] = new Blob([parts[i]]);
      setTimeout(() => handOver(i + 1), 0);
    };
    setTimeout(() => handOver(0), 0);
    return parts;
  }
}

function run() {
  page.pendingParts = new ResultParts();
  applyOptions();
  const outcome = Module.run(typedSetUp());
  const parts = page.pendingParts.finish();
  page.pendingParts = null;
  if (outcome.refused) {
    showMessage(outcome.message, true);
    return;
  }
  page.resultParts = parts;
  $("download").disabled = false;
  showMessage(T(PAGE_TEXTS.ran) + (outcome.message ? "\n" + outcome.message : ""), false);
  showViewCaption(SHARED_TEXTS.animation);
  Module.setPlaying(true);
  startTimer();
  showTransport();
}

function download(name, parts) {
  const url = URL.createObjectURL(new Blob(parts, { type: "application/octet-stream" }));
  const link = document.createElement("a");
  link.href = url;
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

function startTimer() {
  if (page.timer) return;
  page.timer = setInterval(() => {
    const state = Module.state();
    if (!state.hasRun || !state.playing) return;
    Module.tick();
    showTransport();
  }, TICK_MS);
}

// The transport, the cursors and the current values, from the player's state.
function showTransport() {
  const state = Module.state();
  const has = state.hasRun;
  for (const id of ["play", "back", "forward", "slider", "speed", "stop", "next"])
    $(id).disabled = !has;
  setText("play", T(has && state.playing ? SHARED_TEXTS.pause : SHARED_TEXTS.resume));
  $("play").setAttribute("aria-pressed", has && !state.playing ? "true" : "false");
  const slider = $("slider");
  slider.max = has ? state.divisions : 0;
  slider.value = has ? state.step : 0;
  slider.setAttribute("aria-valuetext", has ? state.position : "");
  setText("position", has ? state.position : "");
  placeCursor("graph1", has ? state.cursor1 : null);
  placeCursor("graph2", has ? state.cursor2 : null);
  placeCursor("view", has && state.viewShows === VIEW_SHOWS_PAGE ? state.cursorView : null);
  showValues(has ? state : null);
}

// The current values under their column names; a tick only rewrites the values' cells.
function showValues(state) {
  const body = document.querySelector("#values tbody");
  const names = state && state.names ? state.names.join("\t") : "";
  if (body.dataset.names === names && names) {
    body.querySelectorAll("td").forEach((cell, i) => { cell.textContent = state.values[i]; });
    return;
  }
  body.dataset.names = names;
  body.replaceChildren();
  if (names) {
    const header = document.createElement("tr"), row = document.createElement("tr");
    state.names.forEach((name, i) => {
      const th = document.createElement("th");
      th.scope = "col";
      th.textContent = name;
      header.append(th);
      const td = document.createElement("td");
      td.textContent = state.values[i];
      row.append(td);
    });
    body.append(header, row);
  }
}

function placeCursor(id, xMm) {
  const cursor = $(id + "-cursor"), canvas = $(id);
  if (xMm === null || xMm === undefined) { cursor.style.display = "none"; return; }
  const scale = canvas.clientWidth / page.pictures[id].width;
  cursor.style.display = "block";
  cursor.style.left = (canvas.offsetLeft + 2 + xMm * PIXELS_PER_MM * scale) + "px";
  cursor.style.top = (canvas.offsetTop + 2) + "px";
  cursor.style.height = (canvas.clientHeight) + "px";
}

// Every caption, tooltip and accessible name in the language shown.
function translatePage() {
  document.documentElement.lang = page.language;
  document.title = T(PAGE_TEXTS.title);
  setText("title", T(PAGE_TEXTS.title));
  setText("controls-title", T(PAGE_TEXTS.controls));
  setText("results-title", T(PAGE_TEXTS.results));
  setText("mechanism-label", T(PAGE_TEXTS.mechanism));
  setText("gallery-label", T(PAGE_TEXTS.gallery));
  setText("open-caption", T(PAGE_TEXTS.open));
  setText("save", T(PAGE_TEXTS.save));
  setText("inputs-legend", T(PAGE_TEXTS.inputs));
  setText("profile-legend", T(PAGE_TEXTS.profile));
  setText("settings-legend", T(PAGE_TEXTS.settings));
  setText("view-legend", T(PAGE_TEXTS.view));
  setText("download", T(PAGE_TEXTS.download));
  setText("cycle-time-label", T(SHARED_TEXTS.cycleTime));
  setText("divisions-label", T(SHARED_TEXTS.divisions));
  $("cycle-time").title = T(SHARED_TEXTS.cycleTimeTip);
  $("divisions").title = T(SHARED_TEXTS.divisionsTip);
  setText("back", T(SHARED_TEXTS.back));
  setText("forward", T(SHARED_TEXTS.forward));
  setText("slider-label", T(SHARED_TEXTS.slider));
  $("slider").title = T(SHARED_TEXTS.sliderTip);
  setText("speed-label", T(SHARED_TEXTS.speed));
  $("speed").title = T(SHARED_TEXTS.speedTip);
  setText("values-caption", T(SHARED_TEXTS.values));
  $("values").title = T(SHARED_TEXTS.valuesTip);
  const language = $("language");
  language.textContent = page.language === "ja" ? PAGE_TEXTS.language : "日本語";
  language.lang = page.language === "ja" ? "en" : "ja";
  for (const option of $("mechanism").options) option.textContent = T(option.dataset.text);
  $("gallery").options[0].textContent = T(PAGE_TEXTS.galleryNone);
  for (const element of document.querySelectorAll("[data-text]"))
    element.textContent = T(element.dataset.text);
  for (const element of document.querySelectorAll("[data-tip]"))
    element.title = T(element.dataset.tip);
  if (page.form) {
    document.title = T(PAGE_TEXTS.title) + " — " + T(page.form.title);
    setText("graph1-caption", T(page.form.graphCaptions[0]));
    setText("graph2-caption", T(page.form.graphCaptions[1]));
    $("graph1").setAttribute("aria-label", T(page.form.graphCaptions[0]));
    $("graph2").setAttribute("aria-label", T(page.form.graphCaptions[1]));
  }
  $("view").setAttribute("aria-label", T(SHARED_TEXTS.view));
  showViewCaption(page.viewCaption);
  showTransport();
}

function chooseMechanism(command, setUp) {
  Module.choose(command);
  $("mechanism").value = command;
  buildForm(setUp);
}

function openText(text, name) {
  const outcome = Module.open(text, name);
  if (outcome.message !== undefined) {
    showMessage(outcome.message, true);
    return false;
  }
  const form = Module.describe();
  let option = [...$("mechanism").options].find((o) => o.value === form.command);
  if (!option) {   // a linkage of one's own: listed while it is the one opened
    option = document.createElement("option");
    option.value = form.command;
    $("mechanism").append(option);
  }
  if (option.dataset.source !== undefined || !Module.isBuiltIn(form.command)) {
    option.dataset.source = text;
    option.dataset.file = name;
  }
  option.dataset.text = form.title;
  $("mechanism").value = form.command;
  buildForm(outcome.setUp);
  showMessage(fillPattern(T(PAGE_TEXTS.opened), name), false);
  return true;
}

function wire() {
  $("mechanism").addEventListener("change", (e) => {
    const option = e.target.selectedOptions[0];
    if (option.dataset.source !== undefined) openText(option.dataset.source, option.dataset.file);
    else chooseMechanism(e.target.value);
  });
  $("gallery").addEventListener("change", (e) => {
    const i = e.target.value;
    if (i === "") return;
    const example = MechsimData.gallery[Number(i)];
    openText(example.text, example.name + ".mechsim");
    e.target.value = "";
  });
  $("open").addEventListener("change", (e) => {
    const file = e.target.files[0];
    e.target.value = "";
    if (!file) return;
    if (file.size > 1 << 20) {   // a set-up or a linkage is a few kilobytes
      showMessage(fillPattern(T(PAGE_TEXTS.tooLarge), file.name), true);
      return;
    }
    file.text().then((text) => openText(text, file.name));
  });
  $("save").addEventListener("click", () => {
    download(page.form.command + ".mechsim", [Module.setUpText(typedSetUp())]);
  });
  $("run").addEventListener("click", run);
  $("stop").addEventListener("click", () => {
    Module.stop();
    showViewCaption(SHARED_TEXTS.animation);
    applyOptions();
    showTransport();
  });
  $("next").addEventListener("click", () => {
    const caption = Module.next();
    if (caption !== null) showViewCaption(caption);
    showTransport();
  });
  $("download").addEventListener("click", () => {
    if (page.resultParts) download("result.dat", page.resultParts);
  });
  $("play").addEventListener("click", () => {
    const state = Module.state();
    Module.setPlaying(!state.playing);
    if (!state.playing) showViewCaption(SHARED_TEXTS.animation);
    applyOptions();
    startTimer();
    showTransport();
  });
  const stepBy = (delta) => {
    const state = Module.state();
    if (!state.hasRun) return;
    Module.setPlaying(false);
    applyOptions();
    Module.goToStep(state.step + delta);
    showTransport();
  };
  $("back").addEventListener("click", () => stepBy(-1));
  $("forward").addEventListener("click", () => stepBy(1));
  $("slider").addEventListener("input", (e) => {
    Module.setPlaying(false);
    applyOptions();
    Module.goToStep(Number(e.target.value));
    showTransport();
  });
  $("speed").addEventListener("change", (e) => Module.setSpeed(Number(e.target.value)));
  $("language").addEventListener("click", () => {
    page.language = page.language === "ja" ? "en" : "ja";
    translatePage();
    applyOptions();
    Module.redraw();
    showTransport();
  });
  window.addEventListener("resize", showTransport);
}

function buildChoosers() {
  for (const m of Module.mechanisms()) {
    const option = document.createElement("option");
    option.value = m.command;
    option.dataset.text = m.title;
    $("mechanism").append(option);
  }
  const none = document.createElement("option");
  none.value = "";
  $("gallery").append(none);
  MechsimData.gallery.forEach((example, i) => {
    const option = document.createElement("option");
    option.value = String(i);
    option.textContent = example.name;
    const lesson = example.text.match(/^#\s*(.+)$/m);
    if (lesson) option.title = lesson[1];
    $("gallery").append(option);
  });
  const player = Module.player();
  player.speeds.forEach((speed, i) => {
    const option = document.createElement("option");
    option.value = String(i);
    option.textContent = speed + "×";
    $("speed").append(option);
  });
  $("speed").value = String(player.normalSpeed);
  player.choices.forEach((choice, i) => {
    const row = document.createElement("div");
    row.className = "row";
    const input = document.createElement("input");
    input.type = "checkbox";
    input.id = "option-" + i;
    input.addEventListener("change", () => {
      applyOptions();
      const state = Module.state();
      if (state.hasRun && state.viewShows === 0) Module.goToStep(state.step);
    });
    const label = document.createElement("label");
    label.htmlFor = input.id;
    label.dataset.text = choice.caption;
    label.dataset.tip = choice.description;
    row.append(input, label);
    $("options").append(row);
  });
}

function startPage() {
  // The pictures measure their labels in the page's font, so it is loaded first.
  document.fonts.load(FONT, "機構0").then(showPage, showPage);
}

function showPage() {
  const sizes = Module.pictureSizes();
  for (const id of ["graph1", "graph2", "view"])
    page.pictures[id] = new PagePicture(id, sizes[id][0], sizes[id][1]);
  buildChoosers();
  wire();
  const params = new URLSearchParams(location.search);
  if (params.get("lang") === "en") page.language = "en";
  chooseMechanism(Module.mechanisms()[0].command);
  document.body.dataset.ready = "true";
}

Module.onRuntimeInitialized = startPage;
})();
