"use strict";
// The player of sorts' calls, shared by every page that plays them.
//
// AdtlabPlayer.load(data) (re)builds the panels inside <main id="player">;
// AdtlabPlayer.applyFragment("#values=5,4,3&step=12") applies the parts
// "end", "step=N", "play", "speed=N" and "algorithm=NAME" of a location's fragment
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
//                        "source": "sorting/sorting.cpp",  // optional: its key in "sources"
//                        "rangeWords": "partitioning",     // optional: a range step in words
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
// Optional, at the top: "order": the order in words; "sources": {path: text}:
// the libraries' own sources, each by its path. Optional in a run of a
// library sort, from the table of sorts: "source", the path of the source
// its lines are in, and "rangeWords", what the state says its range step
// works on ("partitioning positions 0-7"); and "lines": the source line of
// each call, 16 bits each, in base64;
// "steps": what the sort reported between its calls, four little-endian
// 32-bit words each, in base64: the calls made before it, its kind (1 range,
// 2 pivot, 3 minimum, 4 key, 5 sorted, 6 placed), its first and last
// position. A placed or sorted step ends the range, pivot, minimum and key
// before it.
//
// Each run's counters have the ids ID-comparisons and ID-swaps, and the call
// it marks, in words, ID-call, with its meaning in ID-meaning; the state in
// words ID-state, the source line of the call ID-line (data-line: its number
// in the file), the sorted values at the end ID-sorted; a group that compares
// has NAME-first-difference. The fragment's "speed=N" plays N calls a second.
const AdtlabPlayer = (() => {
  const CHECKPOINT = 4096;
  const NOWHERE = 0x7fff;
  const MARK_ROOM = 11;          // pixels above the bars for the markers of a call and a state
  const BELOW = 14;              // pixels below the bars for the range, the order and the placed
  const FRAME = 60;              // calls a second at one call a frame
  // Speeds in calls a second: from one call every 2 s to 131072 calls a frame.
  const SPEEDS = [0.5, 1, 2, 4, 8, 15, 30, ...Array.from({ length: 18 }, (_, k) => FRAME * 2 ** k)];
  const STEP_KINDS = ["call", "range", "pivot", "minimum", "key", "sorted", "placed"];
  const MAX_SORTED_SHOWN = 1000; // values of the sorted text at the end
  let colours = {};              // from the style sheet's custom properties

  let root = null, groups = [], runs = [], last = 0, time = 0, playing = false;
  let controls = null, rate = 1, started = null, sources = {}, order = "";

  function element(tag, attributes = {}, text = "") {
    const made = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) made.setAttribute(name, value);
    if (text) made.textContent = text;
    return made;
  }

  // ---- stepping: each run's array and counts at its step ----
  function decode(events, Words = Uint16Array) {
    // A plain loop: Uint8Array.from with a function takes seconds on millions of calls.
    const text = atob(events || ""), bytes = new Uint8Array(text.length);
    for (let k = 0; k < text.length; k++) bytes[k] = text.charCodeAt(k);
    return new Words(bytes.buffer);
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

  // ---- the sort's state, as its steps reported it ----
  // The state after t calls: every step made before the next call.
  function freshState(run) {
    return { at: 0, next: 0, range: null, pivot: null, minimum: null, key: null, sorted: null,
             placed: new Uint8Array(run.values.length) };
  }
  function stateAt(run, t) {
    if (!run.steps) return null;
    if (!run.state || run.state.at > t) run.state = freshState(run);
    const s = run.state, w = run.steps;
    for (; s.next < w.length / 4 && w[4 * s.next] <= t; s.next++) {
      const kind = STEP_KINDS[w[4 * s.next + 1]], first = w[4 * s.next + 2], end = w[4 * s.next + 3];
      if (kind === "placed" || kind === "sorted") s.range = s.pivot = s.minimum = s.key = null;
      if (kind === "placed") s.placed.fill(1, first, Math.min(end + 1, s.placed.length));
      else if (kind === "range" || kind === "sorted") s[kind] = [first, end];
      else if (kind === "pivot" || kind === "minimum" || kind === "key") s[kind] = first;
    }
    s.at = t;
    return s;
  }
  function spans(flags) {          // "0-1, 5, 8-9": the runs of set positions
    const parts = [];
    for (let p = 0; p < flags.length; p++) {
      if (!flags[p]) continue;
      let q = p;
      while (q + 1 < flags.length && flags[q + 1]) q++;
      parts.push(p === q ? `${p}` : `${p}-${q}`);
      p = q;
    }
    return parts;
  }
  function positions([a, b]) { return a === b ? `position ${a}` : `positions ${a}-${b}`; }
  function stateWords(run, s) {
    if (!s) return "";
    const v = p => run.values[p], words = [];
    if (s.pivot !== null) words.push(`pivot ${v(s.pivot)} at position ${s.pivot}`);
    if (s.minimum !== null) words.push(`least so far ${v(s.minimum)} at position ${s.minimum}`);
    if (s.key !== null) words.push(`inserting ${v(s.key)}, now at position ${s.key}`);
    if (s.range) words.push(`${run.rangeWords ?? "working on"} ${positions(s.range)}`);
    if (s.sorted) words.push(`${positions(s.sorted)} in order among themselves`);
    const placed = spans(s.placed);
    if (placed.length > 0) {
      const shown = placed.length > 8 ? [...placed.slice(0, 8), "..."] : placed;
      const one = placed.length === 1 && !placed[0].includes("-");
      words.push(`${one ? "position" : "positions"} ${shown.join(", ")} in place`);
    }
    return words.join("; ");
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
  function callMeaning(run, k) {
    const a = run.words[2 * k], b = run.words[2 * k + 1];
    if (a & 0x8000) {
      const i = a & 0x7fff;
      return i === b ? `position ${i} stays: a swap with itself` : `exchange the values at positions ${i} and ${b}`;
    }
    const value = p => (p === NOWHERE ? "a value not in the array" : run.values[p]);
    return `is ${value(a)} before ${value(b & 0x7fff)} in the order? ${b & 0x8000 ? "yes" : "no"}`;
  }
  function marks(run, k) {         // position -> the call's mark there
    const marked = new Map();
    if (k < 0) return marked;
    const a = run.words[2 * k], b = run.words[2 * k + 1];
    const kind = a & 0x8000 ? "exchanged" : "compared";
    for (const p of [a & 0x7fff, b & 0x7fff]) if (p < run.values.length) marked.set(p, kind);
    return marked;
  }
  function sourceLine(run) {       // the line of the marked call, or of the next one at the start
    if (!run.lines) return 0;
    const k = markedCall(run);
    if (k >= 0) return run.lines[k];
    return run.step === 0 && run.length > 0 && time < run.length ? run.lines[0] : 0;
  }

  // ---- drawing ----
  function readColours() {
    const style = getComputedStyle(root);
    for (const name of ["bar", "compared", "exchanged", "pivot", "minimum", "key", "range", "sorted", "placed", "cursor", "label", "label-on-mark"]) {
      colours[name] = style.getPropertyValue(`--${name}`).trim() || "#000";
    }
  }
  function barHeight(run, value, room) {
    const g = run.group;
    return Math.max(2, ((g.rankOf.get(value) ?? 0) + 1) / g.levels * room);
  }
  // A shape of a mark, centred at x: the shapes tell the marks apart without their colours.
  function shape(g, kind, x, y, size) {
    const r = size / 2;
    g.beginPath();
    if (kind === "compared") { g.moveTo(x - r, y - r); g.lineTo(x + r, y - r); g.lineTo(x, y + r); }
    else if (kind === "exchanged" || kind === "placed") { g.rect(x - r, y - r, size, size); }
    else if (kind === "key") { g.moveTo(x, y - r); g.lineTo(x + r, y); g.lineTo(x, y + r); g.lineTo(x - r, y); }
    else { g.arc(x, y, r, 0, 2 * Math.PI); }
    g.closePath();
    if (kind === "minimum") { g.lineWidth = 1.5; g.strokeStyle = colours.minimum; g.stroke(); }
    else { g.fillStyle = colours[kind]; g.fill(); }
  }
  function span(g, kind, [a, b], bar, y, dashed) {  // a line under positions a..b
    g.strokeStyle = colours[kind]; g.lineWidth = 2;
    g.setLineDash(dashed ? [4, 3] : []);
    g.beginPath();
    g.moveTo(a * bar + 1, y - (dashed ? 0 : 3)); g.lineTo(a * bar + 1, y);
    g.lineTo((b + 1) * bar - 1, y); g.lineTo((b + 1) * bar - 1, y - (dashed ? 0 : 3));
    g.stroke();
    g.setLineDash([]);
  }
  function drawValue(g, run, k, bar, gap, top, h, marked) {
    const text = String(run.values[k]);
    if (g.measureText(text).width + 2 > bar - gap) return false;
    const inside = h >= 16;
    g.fillStyle = inside && marked ? colours["label-on-mark"] : colours.label;
    g.fillText(text, k * bar + (bar - gap) / 2, inside ? top + 12 : top - 3);
    return true;
  }
  function draw(run) {
    const canvas = run.canvas, width = canvas.clientWidth, height = canvas.clientHeight;
    if (canvas.width !== width || canvas.height !== height) { canvas.width = width; canvas.height = height; }
    const g = canvas.getContext("2d"), n = run.values.length;
    g.clearRect(0, 0, width, height);
    if (n === 0) return;
    const bar = width / n, gap = bar > 3 ? 1 : 0, base = height - BELOW, room = base - MARK_ROOM - 16;
    const marked = marks(run, markedCall(run)), drawn = [];
    g.font = "11px system-ui, sans-serif"; g.textAlign = "center";
    let labelled = 0;
    for (let k = 0; k < n; k++) {
      const h = barHeight(run, run.values[k], room), mark = marked.get(k), w = mark ? Math.max(3, bar - gap) : Math.max(1, bar - gap);
      g.fillStyle = colours[mark ?? "bar"];
      g.fillRect(k * bar + (bar - gap) / 2 - w / 2, base - h, w, h);
      if (mark) {               // marked bars are drawn at least 3 pixels wide, with a marker above
        shape(g, mark, k * bar + (bar - gap) / 2, 4, 8);
        drawn.push(`${mark} ${k}`);
      }
      if (drawValue(g, run, k, bar, gap, base - h, h, mark)) labelled++;
    }
    drawState(g, run, stateAt(run, run.step), bar, gap, base, drawn);
    if (run.cursor !== null) {
      g.strokeStyle = colours.cursor; g.lineWidth = 2;
      g.strokeRect(run.cursor * bar - 1, MARK_ROOM, Math.max(3, bar - gap) + 2, base - MARK_ROOM);
    }
    canvas.dataset.marks = drawn.join(";");
    canvas.dataset.labels = labelled;
    canvas.dataset.below = BELOW;
  }
  // The state under the bars: the range and the part in order as lines, a
  // shape under the pivot, the least so far, the key and each placed value.
  function drawState(g, run, s, bar, gap, base, drawn) {
    if (!s) return;
    const centre = k => k * bar + (bar - gap) / 2, size = Math.max(5, Math.min(8, bar - gap));
    if (s.range) { span(g, "range", s.range, bar, base + 4, false); drawn.push(`range ${s.range.join("-")}`); }
    if (s.sorted) { span(g, "sorted", s.sorted, bar, base + 7, true); drawn.push(`sorted ${s.sorted.join("-")}`); }
    const placed = spans(s.placed);
    for (let k = 0; k < s.placed.length; k++) if (s.placed[k]) shape(g, "placed", centre(k), base + 12, Math.min(size, Math.max(1, bar - gap)));
    if (placed.length > 0) drawn.push(`placed ${placed.join(",")}`);
    for (const kind of ["pivot", "minimum", "key"]) {
      if (s[kind] === null) continue;
      shape(g, kind, centre(s[kind]), base + 11, size + 1);
      drawn.push(`${kind} ${s[kind]}`);
    }
  }
  function showSource(run) {
    if (!run.source) return;
    const line = sourceLine(run), item = line > 0 ? run.source.children[line - 1] : null;
    if (item === run.lineShown) return;
    if (run.lineShown) { run.lineShown.removeAttribute("id"); run.lineShown.className = ""; delete run.lineShown.dataset.line; }
    run.lineShown = item || null;
    if (!item) return;
    item.id = `${run.id}-line`; item.className = "current"; item.dataset.line = line;
    const box = run.source;       // the line in the middle of the code's own box, the page left where it is
    box.scrollTop = Math.max(0, item.offsetTop - box.offsetTop - box.clientHeight / 2);
  }
  function sortedText(run) {
    const shown = Array.from(run.values.subarray(0, MAX_SORTED_SHOWN)).join(" ");
    const more = run.values.length > MAX_SORTED_SHOWN ? ` ... and ${run.values.length - MAX_SORTED_SHOWN} more` : "";
    return `${run.ended ? "the values at the end" : "sorted"}: ${shown}${more}`;
  }
  function showCounts(run) {
    document.getElementById(run.id + "-comparisons").textContent = run.comparisons;
    document.getElementById(run.id + "-swaps").textContent = run.swaps;
    const k = markedCall(run);
    run.call.textContent = k >= 0 ? callWords(run, k) : "";
    run.meaning.textContent = k >= 0 ? callMeaning(run, k) : "";
    run.stateBox.textContent = stateWords(run, stateAt(run, run.step));
    const over = time >= run.length;
    run.done.textContent = over ? `${run.ended ? "ended" : "done"} after ${run.length} calls` : "";
    run.sorted.textContent = over ? sortedText(run) : "";
    for (const what of ["comparisons", "swaps"]) {
      showExpected(run.expectedBoxes[what], run.expected, what, over ? run[what] : null);
    }
    showSource(run);
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
  // pitched by the value it moved to its first position. A step sounds 90 ms,
  // and so does each call played below a call a frame; faster, playing sounds
  // every third frame (about 20 tones a second a panel), for 90 ms divided by
  // the square root of the calls a frame, at least 20 ms. Jumps and steps back
  // are silent. data-tones on the button counts the tones.
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
  // Below a call a frame the page's clock paces the calls; from there on,
  // each frame makes its share of them.
  function speedWords(r) {
    if (r >= FRAME) { const n = +(r / FRAME).toFixed(1); return `${n} call${n === 1 ? "" : "s"} per frame`; }
    if (r < 1) return `1 call every ${+(1 / r).toFixed(1)} s`;
    return `${+r.toFixed(2)} call${r === 1 ? "" : "s"} per second`;
  }
  function nearestSpeed(r) {
    let best = 0;
    for (let k = 1; k < SPEEDS.length; k++) if (Math.abs(Math.log(SPEEDS[k] / r)) < Math.abs(Math.log(SPEEDS[best] / r))) best = k;
    return best;
  }
  // The slowest speed that plays every visible call in at most 30 s.
  function defaultSpeed() { return SPEEDS.find(r => last / r <= 30) ?? SPEEDS[SPEEDS.length - 1]; }
  function setSpeed(r) {
    rate = r; started = null;
    controls.speed.value = nearestSpeed(r);
    controls.speedValue.textContent = speedWords(r);
    controls.speed.setAttribute("aria-valuetext", speedWords(r));
    controls.speed.dataset.rate = r;
  }
  function tick() {
    if (!playing) return;
    const from = time, now = performance.now();
    if (rate >= FRAME) {
      started = started ?? { owed: 0 };
      started.owed += rate / FRAME;
      const calls = Math.floor(started.owed);
      started.owed -= calls;
      show(time + calls);
    } else {              // the first call at once, then one each 1/rate s
      started = started ?? { time, at: now };
      show(Math.max(time, started.time + 1 + Math.floor((now - started.at) / 1000 * rate)));
    }
    if (time > from && (rate < FRAME || frame++ % 3 === 0)) sound(from, Math.max(0.02, 0.09 / Math.sqrt(Math.max(1, rate / FRAME))));
    if (time >= last) { setPlaying(false); return; }
    setTimeout(tick, 16);
  }
  function setPlaying(on) {
    const was = playing;
    playing = on && time < last;
    started = null;
    controls.play.textContent = playing ? "Pause" : "Play";
    controls.play.setAttribute("aria-label", playing ? "pause" : "play");
    // Calls said aloud only while stepping: playing would pile them up.
    for (const run of runs) run.said.setAttribute("aria-live", playing ? "off" : "polite");
    if (playing && !was) setTimeout(tick, 0);
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
      speed: element("input", { id: "speed", type: "range", min: "0", max: String(SPEEDS.length - 1), value: "0" }),
      speedValue: element("output", { id: "speedvalue", for: "speed" }),
      sound: element("button", { id: "sound", "aria-pressed": "false", "data-tones": "0", title: "sound on or off (s)" }, "Sound off"),
      position: element("input", { id: "position", class: "position", type: "range", min: "0", value: "0", "aria-label": "step" }),
      step: element("span", { id: "step" }),
    };
    for (const name of ["back", "play", "forward", "speedLabel", "speed", "speedValue", "sound", "position", "step"]) bar.appendChild(c[name]);
    c.bar = bar;
    root.appendChild(bar);
    root.appendChild(c.key = element("div", { class: "key" }));
    root.appendChild(c.groups = element("div", { class: "groups" }));
    c.position.addEventListener("input", e => { started = null; show(Number(e.target.value)); });
    c.play.addEventListener("click", () => setPlaying(!playing));
    c.forward.addEventListener("click", () => stepBy(1));
    c.back.addEventListener("click", () => stepBy(-1));
    c.speed.addEventListener("input", () => setSpeed(SPEEDS[Number(c.speed.value)]));
    c.sound.addEventListener("click", toggleSound);
    document.addEventListener("keydown", onKey);
    window.addEventListener("resize", () => { keepClearOfControls(); show(time); });
    return c;
  }

  // The sticky controls stay at the top; a fragment's element (a group's
  // first difference) scrolls into view below them, not under them.
  function keepClearOfControls() {
    document.documentElement.style.scrollPaddingTop = `${controls.bar.offsetHeight + 8}px`;
  }

  // The legend: each mark's shape in its colour, and the order in words.
  function showKey() {
    const entries = [["compared", "compared (\u25bc)"], ["exchanged", "exchanged (\u25a0)"],
      ["pivot", "pivot (\u25cf)"], ["minimum", "least so far (\u25cb)"], ["key", "being inserted (\u25c6)"],
      ["range", "the range worked on (\u2014)"], ["sorted", "in order among themselves (- -)"],
      ["placed", "in place (\u25aa)"], ["bar", "a value"]];
    controls.key.textContent = "";
    for (const [name, words] of entries) {
      const entry = element("span", { class: "entry" });
      entry.append(element("span", { class: `swatch ${name}` }), words);
      controls.key.append(entry, " ");
    }
    controls.key.append(element("div", { class: "order", id: "order" },
      `Bars stand as high as their value's rank in the library's order${order ? `: ${order}` : ""} (the first values lowest).`));
    controls.key.append(element("div", { class: "keys" },
      "keys: space plays and pauses, \u2190 \u2192 step, Home and End jump, s turns the sound on and off"));
  }
  // Its library's source, a line an item, for a run whose calls have lines.
  function makeSource(data) {
    const text = data.source ? sources[data.source] : undefined;
    if (typeof text !== "string" || !data.lines) return null;
    const list = element("ol", { class: "source", "aria-label": `the library's code, ${data.source}` });
    for (const line of text.replace(/\n$/, "").split("\n")) list.appendChild(element("li", {}, line || " "));
    return list;
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
    const stateBox = element("div", { class: "state", id: `${data.id}-state` });
    const view = element("div", { class: "view" });
    const canvas = element("canvas", { tabindex: "0", role: "img",
      "aria-label": `bars of ${data.title}; up and down read the values` });
    const code = makeSource(data);
    view.appendChild(canvas);
    if (code) view.appendChild(code);
    box.append(stateBox, view);
    const said = element("div", { class: "said", "aria-live": "polite", "aria-atomic": "true" });
    const call = element("div", { class: "call", id: `${data.id}-call` });
    const meaning = element("div", { class: "meaning", id: `${data.id}-meaning` });
    said.append(call, meaning);
    const readout = element("div", { class: "readout", "aria-live": "polite" });
    const sorted = element("div", { class: "sorted", id: `${data.id}-sorted` });
    box.append(said, readout, sorted);
    const words = decode(data.events);
    const run = { id: data.id, algorithm: data.algorithm, rangeWords: data.rangeWords, ended: data.ended, expected: data.expected,
      words, length: words.length / 2, values: Int32Array.from(group.input), step: 0,
      comparisons: 0, swaps: 0, checkpoints: [], group, box, canvas, call, meaning, said, done, readout,
      sorted, stateBox, source: code, lineShown: null,
      lines: data.lines ? decode(data.lines) : null, steps: data.steps ? decode(data.steps, Uint32Array) : null,
      state: null, expectedBoxes: expected, hovered: null, cursor: null };
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
    readColours();
    if (data.title) document.title = data.title;
    sources = data.sources || {};
    order = data.order || "";
    showKey();
    controls.groups.textContent = "";
    groups = data.groups.map(g => makeGroup(g, data.groups.length > 1));
    for (const g of groups) controls.groups.appendChild(g.box);
    runs = groups.flatMap(g => g.runs);
    last = visibleLast();
    controls.position.max = last;
    setSpeed(defaultSpeed());
    show(opening());
    keepClearOfControls();
  }

  function parseFragment(hash) {
    const parts = { end: false, play: false, step: null, algorithm: null, speed: null };
    for (const part of String(hash || "").replace(/^#/, "").split("&")) {
      const [name, value] = part.split("=", 2);
      if (name === "end" && value === undefined) parts.end = true;
      else if (name === "play" && value === undefined) parts.play = true;
      else if (name === "step" && /^\d+$/.test(value || "")) parts.step = Number(value);
      else if (name === "algorithm" && value) parts.algorithm = decodeURIComponent(value);
      else if (name === "speed" && /^\d+(\.\d+)?$/.test(value || "") && Number(value) > 0) parts.speed = Number(value);
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
    setPlaying(false);
    setSpeed(parts.speed ?? defaultSpeed());
    if (parts.end) {
      show(last);
    } else if (parts.step !== null) {
      show(parts.step);
    } else if (parts.play) {
      show(0); setPlaying(true);
    } else {
      show(opening());
    }
  }

  return { load, parseFragment, applyFragment, show };
})();
