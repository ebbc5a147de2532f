// sort_trace's page in headless Chromium, driven through its debugging pipe:
// at every step of each sort, the state in words and as marks, the line of
// the library's source and the call's meaning are what sort_trace --json says
// the library reported; a step changes the live region; the pace of speed=,
// measured by the page's own clock; a changed fragment followed; no sideways
// scroll at 390 px with the controls in view; the marks' contrast from the
// page's styles.
//   node player_explained.mjs SORT_TRACE WORK_DIR
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync, rmSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

import { startBrowser } from './support/browser.mjs';

const [sortTrace, work] = process.argv.slice(2);
rmSync(work, { recursive: true, force: true });
mkdirSync(work, { recursive: true });
const linesOf = path => readFileSync(new URL(`../${path}`, import.meta.url), 'utf8').split('\n');

// Equal values (2, 2) and both signs, so that the order and the marks of equal values show.
const values = ['5', '-1', '3', '0', '-2', '8', '4', '-7', '2', '2'];
const page = join(work, 'page.html');
execFileSync(sortTrace, ['--html', page, '--', ...values]);
const { runs } = JSON.parse(execFileSync(sortTrace, ['--json', '--', ...values]));
// The textbook's sorts, whose code is the other library's.
const textbook = join(work, 'textbook.html'), textbookSorts = ['-a', 'bubble', '-a', 'shell', '-a', 'heap', '-a', 'quick3'];
execFileSync(sortTrace, ['--html', textbook, ...textbookSorts, '--', ...values]);
const textbookRuns = JSON.parse(execFileSync(sortTrace, ['--json', ...textbookSorts, '--', ...values])).runs;
const big = join(work, 'big.html');
execFileSync(sortTrace, ['--html', big, '--size', '300', '-a', 'quick']);

const browser = await startBrowser();
let session;
const send = (method, params = {}) => browser.send(method, params, session);
async function evaluate(expression) {
    const { result, exceptionDetails } = await send('Runtime.evaluate',
        { expression, returnByValue: true, awaitPromise: true });
    assert.equal(exceptionDetails, undefined, `${expression}: ${JSON.stringify(exceptionDetails)}`);
    return result.value;
}
async function until(expression, what, seconds = 120) {
    const deadline = Date.now() + seconds * 1000;
    for (;;) {
        const value = await evaluate(expression).catch(() => null);
        if (value) return value;
        assert.ok(Date.now() < deadline, `${what}: not within ${seconds} s`);
        await new Promise(resolve => setTimeout(resolve, 50));
    }
}
async function open(file, fragment) {
    await send('Page.navigate', { url: 'about:blank' });
    await send('Page.navigate', { url: `${pathToFileURL(file).href}#${fragment}` });
    await until(`document.readyState === "complete" && !!document.getElementById("step")`, `#${fragment}`);
}

// What a run shows after t calls, by the rules of the page data: the
// steps made before call t + 1; a placed or sorted step ends the range,
// pivot, least value and key before it.
function expectedAt(run, t) {
    const a = values.map(Number), state = { range: null, sorted: null, pivot: null, minimum: null, key: null };
    const placed = new Set();
    for (let k = 0; k < t; k++) {
        const [kind, i, j] = run.events[k];
        if (kind === 's') [a[i], a[j]] = [a[j], a[i]];
    }
    for (const [kind, first, last, calls] of run.steps.filter(s => s[3] <= t)) {
        if (kind === 'placed' || kind === 'sorted') Object.assign(state, { range: null, pivot: null, minimum: null, key: null });
        if (kind === 'placed') for (let p = first; p <= last; p++) placed.add(p);
        else if (kind === 'range' || kind === 'sorted') state[kind] = [first, last];
        else state[kind] = first;
    }
    const marks = [];
    if (t > 0 && t < run.events.length) {
        const [kind] = run.events[t - 1], [, i, j] = run.sites[t - 1];
        for (const p of [...new Set([i, j])].sort((x, y) => x - y)) marks.push(`${kind === 's' ? 'exchanged' : 'compared'} ${p}`);
    }
    for (const kind of ['range', 'sorted']) if (state[kind]) marks.push(`${kind} ${state[kind].join('-')}`);
    const spans = [];
    for (const p of [...placed].sort((x, y) => x - y)) {
        const lastSpan = spans[spans.length - 1];
        if (lastSpan && lastSpan[1] === p - 1) lastSpan[1] = p; else spans.push([p, p]);
    }
    if (spans.length) marks.push(`placed ${spans.map(([x, y]) => (x === y ? `${x}` : `${x}-${y}`)).join(',')}`);
    for (const kind of ['pivot', 'minimum', 'key']) if (state[kind] !== null) marks.push(`${kind} ${state[kind]}`);
    const words = [];
    if (state.pivot !== null) words.push(`pivot ${a[state.pivot]} at position ${state.pivot}`);
    if (state.minimum !== null) words.push(`least so far ${a[state.minimum]} at position ${state.minimum}`);
    if (state.key !== null) words.push(`inserting ${a[state.key]}, now at position ${state.key}`);
    let meaning = '';
    if (t > 0 && t < run.events.length) {
        const [kind, x, y, result] = run.events[t - 1];
        meaning = kind === 'c' ? `is ${x} before ${y} in the order? ${result ? 'yes' : 'no'}`
                : x === y ? `position ${x} stays: a swap with itself` : `exchange the values at positions ${x} and ${y}`;
    }
    const line = t < run.events.length ? run.sites[Math.max(0, t - 1)][0] : null;
    return { marks: marks.join(';'), words, meaning, line };
}

// Every step of every panel, as the page shows it.
const shownSteps = `(() => {
    const last = Number(document.getElementById("position").max), seen = [];
    for (let t = 0; t <= last; t++) {
        AdtlabPlayer.show(t);
        seen.push([...document.querySelectorAll(".panel")].map(panel => {
            const id = panel.querySelector(".state").id.replace(/-state$/, ""), line = document.getElementById(id + "-line");
            return { id, state: panel.querySelector(".state").textContent, marks: panel.querySelector("canvas").dataset.marks,
                     meaning: document.getElementById(id + "-meaning").textContent,
                     line: line ? Number(line.dataset.line) : null, lineText: line ? line.textContent : null };
        }));
    }
    return seen;
})()`;

function contrast(a, b) {
    const luminance = colour => {
        const hex = colour.match(/^#([0-9a-f]{2})([0-9a-f]{2})([0-9a-f]{2})$/i);
        const rgb = hex ? hex.slice(1).map(h => parseInt(h, 16)) : colour.match(/\d+/g).slice(0, 3).map(Number);
        const [r, g, bl] = rgb.map(c => c / 255).map(c => (c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4));
        return 0.2126 * r + 0.7152 * g + 0.0722 * bl;
    };
    const [high, low] = [luminance(a), luminance(b)].sort((x, y) => y - x);
    return (high + 0.05) / (low + 0.05);
}

// Calls shown over five seconds of the page's clock, while playing.
const pace = `new Promise(resolve => {
    const step = () => Number(document.getElementById("position").value), s0 = step(), t0 = performance.now();
    setTimeout(() => resolve({ calls: step() - s0, seconds: (performance.now() - t0) / 1000 }), 5000);
})`;

try {
    const { targetInfos } = await send('Target.getTargets');
    ({ sessionId: session } = await send('Target.attachToTarget',
        { targetId: targetInfos.find(t => t.type === 'page').targetId, flatten: true }));

    // Every step of every panel of a page, against its runs and the file of their code.
    async function checkEveryStep(file, pageRuns, path) {
        const source = linesOf(path);
        await open(file, 'step=0');
        const seen = await evaluate(shownSteps);
        for (const run of pageRuns) {
            assert.equal(run.sites.length, run.events.length);
            for (let t = 0; t < seen.length; t++) {
                const shown = seen[t].find(p => p.id === run.algorithm), want = expectedAt(run, Math.min(t, run.events.length));
                const at = `${run.algorithm} at step ${t}`;
                assert.equal(shown.marks, want.marks, `${at}: marks`);
                for (const words of want.words) assert.ok(shown.state.includes(words), `${at}: "${shown.state}" lacks "${words}"`);
                assert.equal(shown.meaning, t < run.events.length ? want.meaning : '', `${at}: meaning`);
                assert.equal(shown.line, t <= run.events.length ? want.line : null, `${at}: line`);
                if (shown.line !== null) assert.equal(shown.lineText, source[shown.line - 1], `${at}: the line's text in ${path}`);
            }
        }
        return seen;
    }
    const textbookSeen = await checkEveryStep(textbook, textbookRuns, 'textbook_sorts/textbook_sorts.cpp');
    // The textbook's words for a range, by hand: heap sort builds its heap of all ten.
    assert.equal(textbookSeen[1].find(p => p.id === 'heap').state, 'keeping a heap of positions 0-9');
    const seen = await checkEveryStep(page, runs, 'sorting/sorting.cpp');
    // One state in full, worked by hand: quick sort's second partition, at its comparison of the equal 2s.
    const quick = seen[20].find(p => p.id === 'quick');
    assert.equal(quick.state, 'pivot 2 at position 0; partitioning positions 0-6; positions 7-9 in place');
    assert.equal(quick.meaning, 'is 2 before 2 in the order? yes');
    assert.equal(quick.marks.split(';').slice(0, 2).join(';'), 'compared 0;compared 5');

    // A step forward says its call in the live region.
    await evaluate('AdtlabPlayer.show(0)');
    const before = await evaluate('document.getElementById("quick-meaning").textContent');
    await evaluate('document.body.dispatchEvent(new KeyboardEvent("keydown", { key: "ArrowRight", bubbles: true }))');
    const after = await evaluate(`(() => { const m = document.getElementById("quick-meaning");
        return [m.textContent, m.closest("[aria-live]").getAttribute("aria-live")]; })()`);
    assert.equal(before, '');
    assert.deepEqual(after, [expectedAt(runs[2], 1).meaning, 'polite']);

    // A changed fragment is followed.
    await evaluate('location.hash = "#step=7"');
    await until('document.getElementById("position").value === "7"', 'the page at #step=7');

    // The default lasts tens of seconds on a few dozen calls, and stays fast on many.
    const last = Math.max(...runs.map(r => r.events.length));
    const rate = Number(await evaluate('document.getElementById("speed").dataset.rate'));
    assert.ok(last / rate >= 10 && last / rate <= 30, `${last} calls at ${rate} a second`);
    await open(big, '');
    assert.ok(Number(await evaluate('document.getElementById("speed").dataset.rate')) >= 60, 'slow on a large page');

    // The pace: about 4 calls a second, over five seconds of the page's clock.
    await open(page, 'speed=4&play');
    assert.equal(await evaluate('document.getElementById("speedvalue").textContent'), '4 calls per second');
    const measured = await evaluate(pace);
    const perSecond = measured.calls / measured.seconds;
    assert.ok(perSecond > 2.5 && perSecond < 5.5, `${measured.calls} calls in ${measured.seconds} s at speed=4`);
    for (const [speed, words] of [['0.5', '1 call every 2 s'], ['600', '10 calls per frame'], ['1', '1 call per second']]) {
        await evaluate(`AdtlabPlayer.applyFragment("#speed=${speed}")`);
        assert.equal(await evaluate('document.getElementById("speedvalue").textContent'), words);
    }

    // Any screen: no sideways scroll, and the controls in view at the bottom of the page.
    for (const [width, height] of [[390, 844], [1280, 800]]) {
        await send('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: 1, mobile: width < 600 });
        await open(page, 'step=20');
        const fit = await evaluate(`(() => {
            window.scrollTo(0, document.documentElement.scrollHeight);
            const play = document.getElementById("play").getBoundingClientRect();
            return { wide: document.documentElement.scrollWidth, width: window.innerWidth,
                     controls: play.top >= 0 && play.bottom <= window.innerHeight, scrolled: window.scrollY > 0 };
        })()`);
        assert.ok(fit.wide <= fit.width, `${width} px: ${fit.wide} px wide`);
        assert.ok(fit.scrolled && fit.controls, `${width} px: the controls out of view: ${JSON.stringify(fit)}`);
    }

    // Each mark's colour, 3:1 at least against the bars and the backgrounds.
    const styles = await evaluate(`(() => {
        const style = getComputedStyle(document.getElementById("player")), colour = name => style.getPropertyValue("--" + name).trim();
        return { marks: Object.fromEntries(["compared", "exchanged", "pivot", "minimum", "key", "range", "sorted", "placed"].map(n => [n, colour(n)])),
                 grounds: [colour("bar"), colour("canvas"), getComputedStyle(document.querySelector(".panel")).backgroundColor,
                           getComputedStyle(document.body).backgroundColor] };
    })()`);
    for (const [name, colour] of Object.entries(styles.marks)) {
        for (const ground of styles.grounds) {
            assert.ok(contrast(colour, ground) >= 3, `${name} ${colour} on ${ground}: ${contrast(colour, ground).toFixed(2)}:1`);
        }
    }
    console.log('states, marks, lines and meanings as the library reported; pace, fragment, screens and contrast as asked');
} finally {
    await browser.close();
}
