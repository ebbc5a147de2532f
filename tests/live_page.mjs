// The live page in headless Chromium, driven through its debugging pipe (so
// that the page's clock runs as in any browser): for inputs given by
// #values= and by #size=&shape=&seed=, the counters at &end equal
// sort_trace --json's counts, of the default sorts or of those the fragment or
// the ticks name, every sort on every shape; a bad value or sort is named and
// nothing is sorted; a sort past the page's bound is counted, not replayed;
// the stopwatch's milliseconds are sensible. Prints the page's size and its time for 2,000
// values as figures.
//   node live_page.mjs PAGE SORT_TRACE
// The browser is `chromium` as found on PATH.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, statSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

import { startBrowser } from './support/browser.mjs';

const [page, sortTrace] = process.argv.slice(2);
if (!existsSync(page)) {
    console.log(`no ${page}: the WebAssembly packages are missing, so the page is not built`);
    process.exit(77);
}
const browser = await startBrowser();
let session;
const send = (method, params = {}) => browser.send(method, params, session);
async function evaluate(expression) {
    const { result, exceptionDetails } = await send('Runtime.evaluate', { expression, returnByValue: true });
    assert.equal(exceptionDetails, undefined, `${expression}: ${JSON.stringify(exceptionDetails)}`);
    return result.value;
}

// Opens the page at the fragment (or runs `script`, which leads there) and
// waits until it has sorted or refused.
const url = pathToFileURL(page).href;
async function open(fragment, script = null) {
    await evaluate('document.body && (document.body.dataset.state = "")');
    await (script ? evaluate(script) : send('Page.navigate', { url: `${url}#${fragment}` }));
    const deadline = Date.now() + 180_000;
    while (Date.now() < deadline) {
        const state = await evaluate(`location.hash === ${JSON.stringify(`#${fragment}`)} && document.body?.dataset.state`);
        if (state === 'sorted' || state === 'refused') {   // not while "working"
            return evaluate(`({ state: document.body.dataset.state, message: document.getElementById("message").textContent,
                pageMilliseconds: Number(document.getElementById("message").dataset.milliseconds),
                shown: Object.fromEntries([...document.querySelectorAll("[id$=-comparisons], [id$=-swaps], [id$=-milliseconds]")]
                    .filter(e => !e.closest("[hidden]")).map(e => [e.id, e.textContent])) })`);
        }
        await new Promise(resolve => setTimeout(resolve, 50));
    }
    throw new Error(`#${fragment}: the page neither sorted nor refused within 3 minutes`);
}

// What the page must show for sort_trace's runs: each run's counts in the
// table and, but for those `tableOnly` names, in its panel.
function expected(runs, tableOnly = []) {
    const counts = {};
    for (const { algorithm, comparisons, swaps } of runs) {
        Object.assign(counts, { [`count-${algorithm}-comparisons`]: `${comparisons}`,
                                [`count-${algorithm}-swaps`]: `${swaps}` });
        if (!tableOnly.includes(algorithm)) {
            Object.assign(counts, { [`${algorithm}-comparisons`]: `${comparisons}`,
                                    [`${algorithm}-swaps`]: `${swaps}` });
        }
    }
    return counts;
}
const traced = args => JSON.parse(execFileSync(sortTrace, ['--json', ...args], { maxBuffer: 1 << 30 })).runs;
const chosen = names => names.flatMap(name => ['-a', name]);
function counters(shown) {
    return Object.fromEntries(Object.entries(shown).filter(([id]) => !id.endsWith('-milliseconds')));
}
function checkMilliseconds(shown, sorts, pageMilliseconds) {
    for (const algorithm of sorts) {
        const milliseconds = Number(shown[`${algorithm}-milliseconds`]);
        assert.ok(Number.isFinite(milliseconds) && milliseconds >= 0 && milliseconds <= pageMilliseconds,
                  `${algorithm}: ${shown[`${algorithm}-milliseconds`]} ms of ${pageMilliseconds} ms`);
    }
}

try {
    ({ sessionId: session } = await send('Target.attachToTarget', {
        targetId: (await send('Target.getTargets')).targetInfos.find(t => t.type === 'page').targetId,
        flatten: true }));

    const cases = [
        ['values=5,4,3,2,1', ['--', '5', '4', '3', '2', '1']],
        ['values=3%20-3,0,,2147483647%0A-2147483648%093,-3', ['--', '3', '-3', '0', '2147483647', '-2147483648', '3', '-3']],
        ['values=7', ['--', '7']],
        ['size=200&shape=random&seed=5', ['--size', '200', '--shape', 'random', '--seed', '5']],
        ['size=500&shape=few-distinct&seed=4294967295', ['--size', '500', '--shape', 'few-distinct', '--seed', '4294967295']],
        ['size=300&shape=descending', ['--size', '300', '--shape', 'descending']],
        ['size=2000&shape=random&seed=1', ['--size', '2000', '--shape', 'random', '--seed', '1']],
        ['values=5,4,3,2,1&sorts=quick3,selection', ['-a', 'selection', '-a', 'quick3', '--', '5', '4', '3', '2', '1']],
        ['size=300&shape=nearly-sorted&seed=7&sorts=bubble,shell,heap,quick3',
         [...chosen(['bubble', 'shell', 'heap', 'quick3']), '--size', '300', '--shape', 'nearly-sorted', '--seed', '7']],
    ];
    let figure;
    for (const [fragment, args] of cases) {
        const runs = traced(args);
        const shown = await open(`${fragment}&end`);
        assert.equal(shown.state, 'sorted', `#${fragment}: ${shown.message}`);
        assert.deepEqual(counters(shown.shown), expected(runs), `#${fragment}&end`);
        checkMilliseconds(shown.shown, runs.map(r => r.algorithm), shown.pageMilliseconds);
        figure = shown.pageMilliseconds;
    }

    // Every sort of the page's choices on every shape, as sort_trace.
    const every = await evaluate('[...document.querySelectorAll("#sorts input")].map(tick => tick.value)');
    const shapes = await evaluate('[...document.getElementById("shape").options].map(option => option.value)');
    for (const shape of shapes) {
        const fragment = `size=120&shape=${shape}&seed=11&sorts=${every.join(',')}`;
        const shown = await open(`${fragment}&end`);
        assert.equal(shown.state, 'sorted', `#${fragment}: ${shown.message}`);
        assert.deepEqual(counters(shown.shown),
                         expected(traced([...chosen(every), '--size', '120', '--shape', shape, '--seed', '11'])),
                         `#${fragment}&end`);
    }
    // Unnamed, the sorts are sort_trace's default ones, ticked; a tick adds its sort.
    await open('values=4,1,3&end');
    const defaults = traced(['4', '1', '3']).map(run => run.algorithm);
    assert.deepEqual(await evaluate('[...document.querySelectorAll("#sorts input:checked")].map(tick => tick.value)'),
                     defaults);
    const extra = every.find(name => !defaults.includes(name));
    const ticked = await open(`values=4,1,3&end&sorts=${[...defaults, extra].join(',')}`,
                              `document.getElementById("choose-${extra}").click()`);
    assert.deepEqual(counters(ticked.shown), expected(traced([...chosen([...defaults, extra]), '4', '1', '3'])));
    // The sort the player shows alone is run beside the default ones.
    const alone = await open(`values=4,1,3&algorithm=${extra}&end`);
    assert.deepEqual(counters(alone.shown), expected(traced([...chosen([...defaults, extra]), '4', '1', '3']), defaults));

    // Bad values: named, and nothing sorted, nor left from the last input.
    for (const [fragment, named] of [['values=5,x,3,1.5,2147483648', ['"x"', '"1.5"', '"2147483648"']],
                                     ['values=,%20,', ['no values']],
                                     ['size=0&shape=random', ['"0"']], ['size=20&shape=sideways', ['"sideways"']],
                                     ['values=3,1&algorithm=bogo', ['"bogo"']],
                                     ['values=3,1&sorts=heap,bogo', ['"bogo"']], ['values=3,1&sorts=', ['no sort chosen']],
                                     ['values=%E0%A4%A', ['not well encoded']]]) {
        const shown = await open(`${fragment}&end`);
        assert.equal(shown.state, 'refused', `#${fragment}`);
        for (const words of named) assert.ok(shown.message.includes(words), `#${fragment}: ${shown.message}`);
        assert.deepEqual(shown.shown, {}, `#${fragment}: something shown`);
    }

    // The form writes the fragment of what it sorts, and the page opens at
    // the first step.
    const formed = await open('size=50&shape=ascending&seed=9', `document.getElementById("size").value = "50";
        document.getElementById("shape").value = "ascending"; document.getElementById("seed").value = "9";
        document.getElementById("sort-shape").click()`);
    const atStart = Object.entries(expected(traced(['--size', '50', '--shape', 'ascending', '--seed', '9'])))
        .map(([id, count]) => [id, id.startsWith('count-') ? count : '0']);
    assert.deepEqual(counters(formed.shown), Object.fromEntries(atStart));

    // Past the page's bound, selection sort is counted (n(n-1)/2 comparisons)
    // and not replayed; quick sort, within it, is both.
    const big = await open('size=10000&shape=random&seed=3&end');
    const quick = traced(['-a', 'quick', '--size', '10000', '--seed', '3']);
    assert.equal(big.shown['count-selection-comparisons'], `${10000 * 9999 / 2}`);
    assert.equal(big.shown['selection-comparisons'], undefined, 'selection sort replayed past the bound');
    assert.deepEqual(Object.fromEntries(Object.entries(counters(big.shown)).filter(([id]) => id.includes('quick'))),
                     expected(quick));
    assert.ok(Number(big.shown['selection-milliseconds']) > 0, 'a sort of 50 million calls took no time');

    // Opened with no input, the page sorts an example, with the formulas'
    // verdicts at the end and the library's state and code at a step.
    await evaluate('document.body.dataset.state = ""');
    await send('Page.navigate', { url });
    const deadline = Date.now() + 120_000;
    while (await evaluate('document.body?.dataset.state') !== 'sorted') {
        assert.ok(Date.now() < deadline, 'no example sorted on first open');
        await new Promise(resolve => setTimeout(resolve, 50));
    }
    const example = await evaluate(`(() => { AdtlabPlayer.applyFragment("#end");
        const ticks = [...document.querySelectorAll(".expected")].map(e => e.textContent).join("|");
        AdtlabPlayer.show(3);
        return { hash: location.hash, ticks, state: document.getElementById("quick-state").textContent,
                 line: document.getElementById("quick-line")?.dataset.line }; })()`);
    assert.match(example.hash, /^#values=/);
    assert.match(example.ticks, /= n\(n-1\)\/2 = .* ✓/, `the formulas at the end: ${example.ticks}`);
    assert.match(example.state, /^pivot -?\d+ at position 0; partitioning positions 0-\d+/);
    assert.ok(Number(example.line) > 0, 'no line of the code at step 3');

    // No sideways scroll on a phone.
    await send('Emulation.setDeviceMetricsOverride', { width: 390, height: 844, deviceScaleFactor: 1, mobile: true });
    const wide = await evaluate('document.documentElement.scrollWidth');
    assert.ok(wide <= 390, `the page is ${wide} px wide at 390 px`);
    await send('Emulation.clearDeviceMetricsOverride');

    // A long sort runs in the worker: the page answers meanwhile and tells
    // how far the worker has come, until it has sorted.
    await evaluate('document.body.dataset.state = ""');
    await send('Page.navigate', { url: `${url}#size=32767&shape=random&seed=2&algorithm=quick` });
    let progress = null;
    const long = Date.now() + 300_000;
    for (let state; (state = await evaluate('document.body.dataset.state')) !== 'sorted';) {
        assert.ok(Date.now() < long, `32,767 values not sorted within 5 minutes (${state})`);
        const line = await evaluate('document.getElementById("working").hidden ? "" : document.getElementById("working").textContent');
        if (/^working: .* \(step \d+ of \d+\)$/.test(line)) progress = line;
        await new Promise(resolve => setTimeout(resolve, 20));
    }
    assert.ok(progress, 'no working line while sorting 32,767 values');
    assert.equal(await evaluate('document.getElementById("working").hidden'), true);

    console.log(`as sort_trace for ${cases.length} inputs; page ${statSync(page).size} bytes; ` +
                `2,000 random values sorted, recorded and loaded in ${figure} ms`);
} finally {
    await browser.close();
}
