"use strict";
// The player of sorts' calls, shared by every page that plays them.
//
// AdtlabPlayer.load(data) (re)builds the panels inside <main id="player">;
// AdtlabPlayer.applyFragment("#values=5,4,3&step=12") applies the parts
// "end", "step=N", "play" and "algorithm=NAME" of a location's fragment
// (&-separated; other parts are ignored) and AdtlabPlayer.parseFragment
// returns them. The data:
//
// {"title": "page title",
//  "groups": [{"name": "quick",           // "" when the page has one group
//              "input": [5, -1, 3],         // the values every run of it sorts
//              "ranks": [2, 0, 1],          // each value's rank in the order
//              "firstDifference": 7,        // optional: call number (1-based) or null
//              "sentence": "call 7: ...",   // optional: the difference in words
//              "runs": [{"id": "yours-quick",   // prefix of its counters' ids
//                        "title": "yours", "algorithm": "quick",
//                        "events": "base64",    // the calls, packed as below
//                        "ended": "crashed: killed by signal 11",    // optional
//                        "expected": {"comparisons": 10 or null,     // optional
//                                     "swaps": 4 or null,
//                                     "comparisons_rule": "n(n-1)/2",
//                                     "swaps_rule": "n"}}]}]}
//
// Events: four bytes per call, two little-endian 16-bit words. A swap is
// 0x8000 | i, then j; a comparison is the positions of its two values, the
// second with 0x8000 when goes_before returned true. Position 0x7fff is a
// value that is not in the array; a swap of a position outside the array
// counts but moves nothing.
//
// Each run's counters have the ids ID-comparisons and ID-swaps, and the call
// it marks, in words, ID-call; a group that compares has NAME-first-difference.
const AdtlabPlayer = (() => {
  const CHECKPOINT = 4096;
  const NOWHERE = 0x7fff;
  const COMPARED = "#e8a400", EXCHANGED = "#d62828", BAR = "#2f4b7c";
  const MARK_ROOM = 9;           // pixels above the bars for the markers of a call

  let root = null, groups = [], runs = [], last = 0, time = 0, playing = false;
  let controls = null;

  function element(tag, attributes = {}, text = "") {
    const made = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) made.setAttribute(name, value);
    if (text) made.textContent = text;
    return made;
  }

  // ---- stepping: each run's array and counts at its step ----
  function decode(events) {
    // A plain loop: Uint8Array.from with a function takes seconds on millions of calls.
    const text = atob(events), bytes = new Uint8Array(text.length);
    for (let k = 0; k < text.length; k++) bytes[k] = text.charCodeAt(k);
    return new Uint16Array(bytes.buffer);
  }
  function exchange(values, i, j) {
    if (i >= values.length || j >= values.length) return;
    const t = values[i]; values[i] = values[j]; values[j] = t;
  }
  function apply(run) {            // the call at run.step, forwards
    const a = run.words[2 * run.step], b = run.words[2 * run.step + 1];
    if (a & 0x8000) { exchange(run.values, a & 0x7fff, b); run.swaps++; } else { run.comparisons++; }
    run.step++;
  }
  function undo(run) {             // the call before run.step, backwards
    run.step--;
    const a = run.words[2 * run.step], b = run.words[2 * run.step + 1];
    if (a & 0x8000) { exchange(run.values, a & 0x7fff, b); run.swaps--; } else { run.comparisons--; }
  }
  function makeCheckpoints(run) {  // the state every CHECKPOINT calls, for seeking
    while (true) {
      if (run.step % CHECKPOINT === 0) {
        run.checkpoints.push({ values: run.values.slice(), comparisons: run.comparisons, swaps: run.swaps });
      }
      if (run.step === run.length) break;
      apply(run);
    }
    restore(run, 0);
  }
  function restore(run, k) {
    const c = run.checkpoints[k];
    run.values = c.values.slice(); run.comparisons = c.comparisons; run.swaps = c.swaps;
    run.step = k * CHECKPOINT;
  }
  function seek(run, target) {
    target = Math.min(target, run.length);
    if (Math.abs(target - run.step) > CHECKPOINT) restore(run, Math.floor(target / CHECKPOINT));
    while (run.step < target) apply(run);
    while (run.step > target) undo(run);
  }

  // ---- a call in words and on the bars ----
  // The call to mark: the last one made, none once the run is over; at its
  // group's first difference, the differing call, before it is made.
  function markedCall(run) {
    const f = run.group.firstDifference;
    if (f && time === f - 1 && f <= run.length) return f - 1;
    return run.step > 0 && time < run.length ? run.step - 1 : -1;
  }
  function callWords(run, k) {
    const a = run.words[2 * k], b = run.words[2 * k + 1];
    if (a & 0x8000) return `call ${k + 1}: swap(a, ${a & 0x7fff}, ${b})`;
    const value = p => (p === NOWHERE ? "a value not in the array" : run.values[p]);
    return `call ${k + 1}: goes_before(${value(a)}, ${value(b & 0x7fff)}) -> ${b & 0x8000 ? "true" : "false"}`;
  }
  function marks(run, k) {         // position -> colour of the call's bars
    const marked = new Map();
    if (k < 0) return marked;
    const a = run.words[2 * k], b = run.words[2 * k + 1];
    const colour = a & 0x8000 ? EXCHANGED : COMPARED;
    for (const p of [a & 0x7fff, b & 0x7fff]) if (p < run.values.length) marked.set(p, colour);
    return marked;
  }

  // ---- drawing ----
  function barHeight(run, value, room) {
    const g = run.group;
    return Math.max(2, ((g.rankOf.get(value) ?? 0) + 1) / g.levels * room);
  }
  function draw(run) {
    const canvas = run.canvas, width = canvas.clientWidth, height = canvas.clientHeight;
    if (canvas.width !== width || canvas.height !== height) { canvas.width = width; canvas.height = height; }
    const g = canvas.getContext("2d"), n = run.values.length;
    g.clearRect(0, 0, width, height);
    if (n === 0) return;
    const bar = width / n, gap = bar > 3 ? 1 : 0, room = height - MARK_ROOM - 2;
    const marked = marks(run, markedCall(run));
    for (let k = 0; k < n; k++) {
      const h = barHeight(run, run.values[k], room);
      g.fillStyle = BAR;
      g.fillRect(k * bar, height - h, Math.max(1, bar - gap), h);
    }
    // Marked bars are drawn again at least 3 pixels wide, with a marker above.
    for (const [k, colour] of marked) {
      const h = barHeight(run, run.values[k], room), w = Math.max(3, bar - gap);
      const x = k * bar + (bar - gap) / 2 - w / 2, centre = k * bar + (bar - gap) / 2;
      g.fillStyle = colour;
      g.fillRect(x, height - h, w, h);
      g.beginPath();
      g.moveTo(centre - 4, 0); g.lineTo(centre + 4, 0); g.lineTo(centre, MARK_ROOM - 2);
      g.fill();
    }
    if (run.cursor !== null) {
      g.strokeStyle = "#1d4ed8"; g.lineWidth = 2;
      g.strokeRect(run.cursor * bar - 1, MARK_ROOM, Math.max(3, bar - gap) + 2, height - MARK_ROOM);
    }
  }
  function showCounts(run) {
    document.getElementById(run.id + "-comparisons").textContent = run.comparisons;
    document.getElementById(run.id + "-swaps").textContent = run.swaps;
    const k = markedCall(run);
    run.call.textContent = k >= 0 ? callWords(run, k) : "";
    const over = time >= run.length;
    run.done.textContent = over ? `${run.ended ? "ended" : "done"} after ${run.length} calls` : "";
    for (const what of ["comparisons", "swaps"]) {
      showExpected(run.expectedBoxes[what], run.expected, what, over ? run[what] : null);
    }
  }
  // A formula's count beside the counter, at the end of the run.
  function showExpected(box, expected, what, count) {
    const formula = expected ? expected[what] : null;
    box.textContent = "";
    box.className = "expected";
    if (count === null || formula === null || formula === undefined) return;
    const rule = expected[what + "_rule"] || "";
    if (count === formula) {
      box.textContent = ` = ${rule} \u2713`;
    } else {
      box.textContent = ` \u2260 ${rule} = ${formula} \u2717 a fault of the sort`;
      box.className = "expected fault";
    }
  }

  // ---- sound ----
  // Off until turned on. Each move forward sounds, in each panel, the last
  // call made in it: a comparison a sine whose pitch rises with the rank of
  // its first value, two octaves up from 220 Hz; a swap a quieter square wave,
  // pitched by the value it moved to its first position. A step sounds 90 ms;
  // playing sounds every third frame (about 20 tones a second a panel), for
  // 90 ms divided by the square root of the speed, at least 20 ms. Jumps and
  // steps back are silent. data-tones on the button counts the tones.
  let audio = null, soundOn = false, frame = 0;
  function toggleSound() {
    if (!audio) {
      const Context = window.AudioContext || window.webkitAudioContext;
      if (!Context) { controls.sound.textContent = "no sound here"; controls.sound.disabled = true; return; }
      audio = new Context();
    }
    soundOn = !soundOn;
    if (soundOn && audio.state === "suspended") audio.resume();
    controls.sound.setAttribute("aria-pressed", String(soundOn));
    controls.sound.textContent = soundOn ? "Sound on" : "Sound off";
  }
  function tone(run, k, seconds) {  // run.values as they are after call k
    const a = run.words[2 * k], p = a & 0x7fff, swap = (a & 0x8000) !== 0;
    const rank = p < run.values.length ? run.group.rankOf.get(run.values[p]) ?? 0 : 0;
    const oscillator = audio.createOscillator(), gain = audio.createGain(), start = audio.currentTime;
    oscillator.type = swap ? "square" : "sine";
    oscillator.frequency.value = 220 * Math.pow(2, 2 * rank / Math.max(1, run.group.levels - 1));
    gain.gain.setValueAtTime(swap ? 0.05 : 0.15, start);
    gain.gain.exponentialRampToValueAtTime(0.001, start + seconds);
    oscillator.connect(gain).connect(audio.destination);
    oscillator.start(start);
    oscillator.stop(start + seconds);
    controls.sound.dataset.tones = Number(controls.sound.dataset.tones) + 1;
  }
  function sound(from, seconds) {   // after a move forward from step `from` to `time`
    if (!soundOn) return;
    for (const run of runs) {
      const k = Math.min(time, run.length) - 1;
      if (!run.box.hidden && k >= from) tone(run, k, seconds);
    }
  }

  // ---- a bar's value, under the mouse or the focus ----
  function readBar(run, k) {
    if (k === null || k < 0 || k >= run.values.length) { run.readout.textContent = ""; return; }
    run.readout.textContent = `position ${k}: ${run.values[k]}`;
    run.canvas.title = run.readout.textContent;
  }
  function barUnder(run, x) {
    return Math.min(run.values.length - 1, Math.floor(x / (run.canvas.clientWidth / run.values.length)));
  }
  function watchBars(run) {
    const c = run.canvas;
    c.addEventListener("mousemove", e => { run.hovered = barUnder(run, e.offsetX); readBar(run, run.hovered); });
    c.addEventListener("mouseleave", () => { run.hovered = null; readBar(run, run.cursor); });
    c.addEventListener("focus", () => { run.cursor = run.cursor ?? 0; draw(run); readBar(run, run.cursor); });
    c.addEventListener("blur", () => { run.cursor = null; draw(run); readBar(run, null); });
    c.addEventListener("keydown", e => {      // up and down walk the bars; left and right still step
      const move = { ArrowUp: 1, ArrowDown: -1 }[e.key];
      if (!move || run.values.length === 0) return;
      e.preventDefault();
      run.cursor = Math.max(0, Math.min(run.values.length - 1, run.cursor + move));
      draw(run); readBar(run, run.cursor);
    });
  }

  function show(t) {
    time = Math.max(0, Math.min(t, last));
    for (const run of runs) {
      if (run.box.hidden) continue;
      seek(run, time); draw(run); showCounts(run);
      if (run.hovered !== null || run.cursor !== null) readBar(run, run.hovered ?? run.cursor);
    }
    controls.position.value = time;
    controls.step.textContent = `step ${time} of ${last}`;
  }

  // ---- playing ----
  function speed() { return Math.round(Math.pow(2, controls.speed.value)); }
  function showSpeed() { controls.speedValue.textContent = `\u00d7${speed()} calls/frame`; }
  function tick() {
    if (!playing) return;
    const from = time;
    show(time + speed());
    if (frame++ % 3 === 0) sound(from, Math.max(0.02, 0.09 / Math.sqrt(speed())));
    if (time >= last) { setPlaying(false); return; }
    setTimeout(tick, 16);
  }
  function setPlaying(on) {
    const was = playing;
    playing = on && time < last;
    controls.play.textContent = playing ? "Pause" : "Play";
    controls.play.setAttribute("aria-label", playing ? "pause" : "play");
    if (playing && !was) setTimeout(tick, 16);
  }
  function stepBy(delta) {
    setPlaying(false);
    const from = time;
    show(time + delta);
    if (delta > 0) sound(from, 0.09);
  }
  function jump(t) { setPlaying(false); show(t); }

  // Space plays and pauses, left and right step, Home and End jump, s sounds;
  // a focused slider, button or text field keeps the keys it has itself.
  function onKey(e) {
    if (e.ctrlKey || e.altKey || e.metaKey) return;
    const target = e.target || {}, tag = target.tagName;
    if (tag === "TEXTAREA" || tag === "SELECT" || (tag === "INPUT" && target.type !== "range")) return;
    const native = tag === "INPUT" ? ["ArrowLeft", "ArrowRight", "Home", "End"] : tag === "BUTTON" ? [" "] : [];
    const actions = { " ": () => setPlaying(!playing), ArrowLeft: () => stepBy(-1), ArrowRight: () => stepBy(1),
      Home: () => jump(0), End: () => jump(last), s: toggleSound, S: toggleSound };
    if (!actions[e.key] || native.includes(e.key)) return;
    e.preventDefault();
    actions[e.key]();
  }

  // ---- building ----
  function makeControls() {
    const bar = element("div", { class: "controls", role: "toolbar", "aria-label": "player controls" });
    const c = {
      back: element("button", { id: "back", "aria-label": "one step back", title: "one step back (left arrow)" }, "\u25c0"),
      play: element("button", { id: "play", "aria-label": "play", title: "play or pause (space)" }, "Play"),
      forward: element("button", { id: "forward", "aria-label": "one step forward", title: "one step forward (right arrow)" }, "\u25b6"),
      speedLabel: element("label", { for: "speed" }, "speed"),
      speed: element("input", { id: "speed", type: "range", min: "0", max: "17", value: "4" }),
      speedValue: element("output", { id: "speedvalue", for: "speed" }),
      sound: element("button", { id: "sound", "aria-pressed": "false", "data-tones": "0", title: "sound on or off (s)" }, "Sound off"),
      position: element("input", { id: "position", class: "position", type: "range", min: "0", value: "0", "aria-label": "step" }),
      step: element("span", { id: "step" }),
    };
    for (const name of ["back", "play", "forward", "speedLabel", "speed", "speedValue", "sound", "position", "step"]) bar.appendChild(c[name]);
    root.appendChild(bar);
    const key = element("div", { class: "key" });
    key.innerHTML = `<span style="background:${COMPARED}"></span>compared <span style="background:${EXCHANGED}"></span>exchanged
      <span style="background:${BAR}"></span>a value, as high as its rank in the order (the first values lowest)
      <div class="keys">keys: space plays and pauses, \u2190 \u2192 step, Home and End jump, s turns the sound on and off</div>`;
    root.appendChild(key);
    root.appendChild(c.groups = element("div", { class: "groups" }));
    c.position.addEventListener("input", e => show(Number(e.target.value)));
    c.play.addEventListener("click", () => setPlaying(!playing));
    c.forward.addEventListener("click", () => stepBy(1));
    c.back.addEventListener("click", () => stepBy(-1));
    c.speed.addEventListener("input", showSpeed);
    c.sound.addEventListener("click", toggleSound);
    document.addEventListener("keydown", onKey);
    window.addEventListener("resize", () => show(time));
    return c;
  }

  function makeRun(group, data) {
    const box = element("section", { class: "panel", "aria-label": data.title });
    box.appendChild(element("h3", {}, data.title));
    if (data.ended) box.appendChild(element("div", { class: "ended" }, data.ended));
    const counts = element("div", { class: "counts" });
    const counter = what => element("b", { id: `${data.id}-${what}` }, "0");
    const expected = { comparisons: element("span"), swaps: element("span") };
    counts.append("comparisons ", counter("comparisons"), expected.comparisons, " \u00b7 swaps ",
                  counter("swaps"), expected.swaps);
    const done = element("span", { class: "done" });
    counts.appendChild(done);
    box.appendChild(counts);
    const canvas = element("canvas", { tabindex: "0", role: "img",
      "aria-label": `bars of ${data.title}; up and down read the values` });
    box.appendChild(canvas);
    const call = element("div", { class: "call", id: `${data.id}-call` });
    const readout = element("div", { class: "readout", "aria-live": "polite" });
    box.append(call, readout);
    const words = decode(data.events);
    const run = { id: data.id, algorithm: data.algorithm, ended: data.ended, expected: data.expected,
      words, length: words.length / 2, values: Int32Array.from(group.input), step: 0,
      comparisons: 0, swaps: 0, checkpoints: [], group, box, canvas, call, done, readout,
      expectedBoxes: expected, hovered: null, cursor: null };
    makeCheckpoints(run);
    watchBars(run);
    return run;
  }

  function makeGroup(data, many) {
    const box = element("section", { class: "group" });
    const group = { name: data.name, input: data.input, box,
      firstDifference: data.firstDifference ?? null,
      rankOf: new Map(data.input.map((v, k) => [v, data.ranks[k]])),
      levels: 1 + data.ranks.reduce((a, b) => Math.max(a, b), 0) };
    if (many && data.name) box.appendChild(element("h2", {}, `${data.name} sort`));
    if ("firstDifference" in data) {   // "first differing call 7: sentence", or the sentence alone
      const f = group.firstDifference, line = element("p", { class: "difference" });
      line.append(f === null ? "" : "first differing call ");
      line.appendChild(element("span", { id: `${data.name}-first-difference` }, f === null ? "" : String(f)));
      line.append(data.sentence ? `${f === null ? "" : ": "}${data.sentence}` : "");
      box.appendChild(line);
    }
    const panels = element("div", { class: "panels" });
    box.appendChild(panels);
    group.runs = data.runs.map(r => makeRun(group, r));
    for (const run of group.runs) panels.appendChild(run.box);
    return group;
  }

  function visibleLast() {
    return runs.filter(r => !r.box.hidden).reduce((m, r) => Math.max(m, r.length), 0);
  }
  function opening() {           // the first difference of the first group that has one
    const differing = groups.find(g => g.firstDifference);
    return differing ? differing.firstDifference - 1 : 0;
  }

  function load(data) {
    root = root || document.getElementById("player");
    controls = controls || makeControls();
    setPlaying(false);
    if (data.title) document.title = data.title;
    controls.groups.textContent = "";
    groups = data.groups.map(g => makeGroup(g, data.groups.length > 1));
    for (const g of groups) controls.groups.appendChild(g.box);
    runs = groups.flatMap(g => g.runs);
    last = visibleLast();
    controls.position.max = last;
    showSpeed();
    show(opening());
  }

  function parseFragment(hash) {
    const parts = { end: false, play: false, step: null, algorithm: null };
    for (const part of String(hash || "").replace(/^#/, "").split("&")) {
      const [name, value] = part.split("=", 2);
      if (name === "end" && value === undefined) parts.end = true;
      else if (name === "play" && value === undefined) parts.play = true;
      else if (name === "step" && /^\d+$/.test(value || "")) parts.step = Number(value);
      else if (name === "algorithm" && value) parts.algorithm = decodeURIComponent(value);
    }
    return parts;
  }

  // Shows only the runs of one sort, when asked; then the step asked for.
  function applyFragment(hash) {
    const parts = typeof hash === "string" ? parseFragment(hash) : hash;
    for (const run of runs) run.box.hidden = parts.algorithm !== null && run.algorithm !== parts.algorithm;
    for (const g of groups) {        // a group of no runs shows unless another sort is asked for
      g.box.hidden = g.runs.length > 0 ? g.runs.every(r => r.box.hidden)
                                       : parts.algorithm !== null && parts.algorithm !== g.name;
    }
    last = visibleLast();
    controls.position.max = last;
    if (parts.end) {
      show(last);
    } else if (parts.step !== null) {
      show(parts.step);
    } else if (parts.play) {
      controls.speed.value = controls.speed.max; showSpeed();
      show(0); setPlaying(true);
    } else {
      show(opening());
    }
  }

  return { load, parseFragment, applyFragment, show };
})();
