// The page's WebAssembly module against sort_trace: for the same input, the
// same values made from a shape, the same counts, sorted values and calls,
// for every sort of the library; the same sorts run by default.
// Run by node under its WASI: node wasm_module.mjs MODULE SORT_TRACE
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { WASI } from 'node:wasi';

const [modulePath, sortTrace] = process.argv.slice(2);
const wasi = new WASI({ version: 'preview1' });
// wasiImport rather than getImportObject(), which Debian's node 18 lacks.
const { instance } = await WebAssembly.instantiate(readFileSync(modulePath),
                                                   { wasi_snapshot_preview1: wasi.wasiImport });
wasi.initialize(instance);
const wasm = instance.exports;

const bytes = () => new Uint8Array(wasm.memory.buffer);
const ints = (address, count) => Array.from(new Int32Array(wasm.memory.buffer, address, count));

function names(nameOf) {
    const found = [];
    for (let k = 0, address; (address = nameOf(k)) !== 0; ++k) {
        const end = bytes().indexOf(0, address);
        found.push(new TextDecoder().decode(bytes().subarray(address, end)));
    }
    return found;
}
const sorts = names(wasm.sort_name);
const shapes = names(wasm.shape_name);

function setValues(values) {
    const address = wasm.values(values.length);
    assert.notEqual(address, 0);
    new Int32Array(wasm.memory.buffer, address, values.length).set(values);
}

// One call as sort_trace's JSON writes it, from its 16 bytes.
function event(address) {
    const [first, second] = ints(address + 4, 2);
    return bytes()[address] === 1 ? ['s', first, second]
                                  : ['c', first, second, bytes()[address + 12] === 1];
}

// The module's runs, shaped as sort_trace's.
function runs(length) {
    return sorts.map((algorithm, k) => {
        assert.equal(wasm.run_sort(k, 0xffffffff), 1);
        const address = wasm.calls(k);
        assert.notEqual(address, 0, `${algorithm}: calls not recorded`);
        const events = [];
        for (let c = 0; c < wasm.call_count(k) >>> 0; ++c) {
            events.push(event(address + 16 * c));
        }
        return { algorithm, comparisons: Number(wasm.comparisons(k)), swaps: Number(wasm.swaps(k)),
                 result: ints(wasm.sorted_values(k), length), events };
    });
}

// sort_trace's JSON of the module's sorts, without the sites and steps, which
// the module's calls do not carry.
function traced(args, named = sorts) {
    const chosen = named.flatMap(algorithm => ['-a', algorithm]);
    const trace = JSON.parse(execFileSync(sortTrace, ['--json', ...chosen, ...args], { maxBuffer: 1 << 28 }));
    for (const run of trace.runs) {
        assert.equal(run.sites.length, run.events.length);
        delete run.sites;
        delete run.steps;
    }
    return trace;
}

// The default sorts are sort_trace's, in its order.
assert.deepEqual(sorts.filter((algorithm, k) => wasm.sort_by_default(k) === 1),
                 traced(['1'], []).runs.map(run => run.algorithm));
assert.equal(wasm.sort_by_default(sorts.length), 0);

const explicit = [[5, 4, 3, 2, 1], [7], [3, -3, 0, 2147483647, -2147483648, 3, -3, 0],
                  [2, 2, 2, 1, 1], [-1, 1, -2, 2, 0, 10, -10, 9, 8, 7]];
for (const values of explicit) {
    setValues(values);
    assert.deepEqual({ input: values, runs: runs(values.length) },
                     traced(['--', ...values.map(String)]), `values ${values}`);
}

for (const shape of shapes) {
    for (const [size, seed] of [[1, 1], [40, 5], [200, 123456789]]) {
        const address = wasm.shaped_values(shapes.indexOf(shape), size, seed);
        assert.notEqual(address, 0);
        const made = { input: ints(address, size), runs: runs(size) };
        assert.deepEqual(made, traced(['--size', `${size}`, '--shape', shape, '--seed', `${seed}`]),
                         `${shape}, ${size} values, seed ${seed}`);
    }
}

// Calls are recorded up to the bound given, all of them or none; the counts
// come either way.
setValues([4, 1, 3, 2]);
assert.equal(typeof wasm.comparisons(0), 'bigint', 'the whole 64-bit count');
for (const [k, run] of traced(['4', '1', '3', '2']).runs.entries()) {
    const total = run.comparisons + run.swaps;
    assert.equal(wasm.run_sort(k, total - 1), 1);
    assert.deepEqual([wasm.calls(k), wasm.call_count(k), Number(wasm.comparisons(k) + wasm.swaps(k))],
                     [0, 0, total], `${sorts[k]} over the bound`);
    assert.equal(wasm.run_sort(k, total), 1);
    assert.equal(wasm.call_count(k), total, `${sorts[k]} at the bound`);
}

// Typed text: words separated by whitespace or commas, each read as
// sort_trace reads a value; the words that are not ints are named, and then,
// as with no words, the values stay.
const text = address => new TextDecoder().decode(bytes().subarray(address, bytes().indexOf(0, address)));
function readText(typed) {
    const encoded = new TextEncoder().encode(typed);
    new Uint8Array(wasm.memory.buffer, wasm.text(encoded.length), encoded.length).set(encoded);
    const count = wasm.read_text();
    return [count, text(wasm.bad_words()), JSON.parse(text(wasm.player_data())).groups[0].input];
}
setValues([9, 8]);
for (const [typed, expected] of [
        ['5 4,3\n\t2,,1', [5, [], [5, 4, 3, 2, 1]]],
        [' +7  -0\r\n007,', [3, [], [7, 0, 7]]],
        ['2147483647,-2147483648', [2, [], [2147483647, -2147483648]]],
        ['1 x 2147483648 3.5 -2147483649 0x10 2', [-1, ['x', '2147483648', '3.5', '-2147483649', '0x10'],
                                                    [2147483647, -2147483648]]],
        [' , \n', [0, [], [2147483647, -2147483648]]],
        ['', [0, [], [2147483647, -2147483648]]],
        [Array(32768).fill('1').join(' '), [-2, [], [2147483647, -2147483648]]],
        [Array(32767).fill('-1').join(','), [32767, [], Array(32767).fill(-1)]]]) {
    const [count, bad, input] = readText(typed);
    assert.deepEqual([count, bad === '' ? [] : bad.split(' '), input], expected, JSON.stringify(typed.slice(0, 40)));
}

// The player's data: one panel for each recorded run, whose calls are those
// the module gives.
setValues([3, 1, 2]);
wasm.run_sort(0, 0);
wasm.run_sort(2, 0);
assert.equal(wasm.record_run(2), 1);
const data = JSON.parse(text(wasm.player_data()));
assert.deepEqual(data.groups.map(g => [g.input, g.ranks, g.runs.map(r => [r.id, r.algorithm])]),
                 [[[3, 1, 2], [2, 0, 1], [['quick', 'quick']]]]);
assert.equal(Buffer.from(data.groups[0].runs[0].events, 'base64').length, 4 * wasm.call_count(2));
assert.equal(wasm.record_run(sorts.length), 0);
assert.notEqual(wasm.values(0), 0);
assert.equal(wasm.record_run(2), 0, 'recorded a run of other values');

// Out of range: no values, no sort.
assert.equal(wasm.values(32768), 0);
assert.equal(wasm.shaped_values(0, 32768, 1), 0);
assert.equal(wasm.shaped_values(shapes.length, 10, 1), 0);
assert.equal(wasm.run_sort(sorts.length, 0), 0);

// The stopwatch reads milliseconds: WASI's clock() is the time since the
// program started, so the sort's take lies between the processor time and the
// time on the wall that the process spent around it.
assert.notEqual(wasm.shaped_values(shapes.indexOf('random'), 4000, 1), 0);
const [wallBefore, processorBefore] = [performance.now(), process.cpuUsage()];
wasm.run_sort(sorts.indexOf('selection'), 0);
const wall = performance.now() - wallBefore;
const processor = process.cpuUsage(processorBefore);
const measured = wasm.milliseconds(sorts.indexOf('selection'));
assert.ok(measured > (processor.user + processor.system) / 4000 && measured <= wall,
          `stopwatch ${measured} ms, wall ${wall} ms, processor ${JSON.stringify(processor)}`);
console.log(`${sorts.join(', ')} over ${shapes.join(', ')}: as sort_trace; ` +
            `4000 values by selection in ${measured.toFixed(3)} ms`);
