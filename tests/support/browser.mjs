// Headless Chromium for the tests, started so that nothing of it outlives
// the test: the browser leads a process group of its own, and ending it
// kills that whole group, waits until no process of the group is left, and
// only then removes the profile, retrying while a late writer still holds it.
//
// As a module: `startBrowser()` gives a browser driven through its debugging
// pipe, with `send(method, params)` and `close()`.
// As a command, for the shell tests:
//   node browser.mjs dump-dom URL OUTPUT [CHROMIUM_OPTION...]
// writes the DOM of URL, once its scripts have run, to OUTPUT.
// The browser is `chromium` as found on PATH.
import { spawn } from 'node:child_process';
import { closeSync, mkdtempSync, openSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { constants, tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const options = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                 '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// Deadlines, generous enough for a machine whose cores are all busy.
const closeSeconds = 20;
const groupSeconds = 60;

const pause = milliseconds => new Promise(resolve => setTimeout(resolve, milliseconds));

// Polls `done` until it holds or `seconds` pass; whether it held.
async function waitFor(done, seconds) {
    const deadline = Date.now() + seconds * 1000;
    while (!done()) {
        if (Date.now() >= deadline) return false;
        await pause(20);
    }
    return true;
}

// The browser's processes still running: those of its group, and those
// whose command line names its profile (zombies are gone but for their
// entry, which their parent reaps).
function livingMembers(group, profile) {
    const members = [];
    for (const pid of readdirSync('/proc').filter(name => /^\d+$/.test(name))) {
        let stat, command;
        try {
            stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
            command = readFileSync(`/proc/${pid}/cmdline`, 'utf8');
        } catch {
            continue; // ended meanwhile
        }
        // After "pid (comm)": state, ppid, pgrp.
        const [state, , pgrp] = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
        if (state !== 'Z' && (Number(pgrp) === group || command.includes(profile))) {
            members.push(Number(pid));
        }
    }
    return members;
}

// Sends SIGKILL to each of `pids`, which may have ended meanwhile.
function killAll(pids) {
    for (const pid of pids) {
        try {
            process.kill(pid, 'SIGKILL');
        } catch {
            // gone already
        }
    }
}

// Starts the browser with `args` beside a new profile; `stdio` as for spawn.
function launch(args, stdio) {
    const profile = mkdtempSync(join(tmpdir(), 'adtlab-browser-'));
    // The crash handler leaves the group for a session of its own; with its
    // database in the profile it is known by its command line.
    const env = { ...process.env, XDG_CONFIG_HOME: join(profile, 'config') };
    const child = spawn('chromium', [...options, `--user-data-dir=${profile}`, ...args],
                        { stdio, env, detached: true });
    const exited = new Promise(resolve => {
        child.once('exit', (code, signal) => resolve(signal ? 128 : code));
        child.once('error', error => resolve(error));
    });
    let ended = null;
    // Kills the group, waits for it to go, and removes the profile; once.
    const end = () => ended ??= (async () => {
        killAll([-child.pid]);
        await exited;
        const gone = () => {
            const members = livingMembers(child.pid, profile);
            killAll(members);
            return members.length === 0;
        };
        if (!await waitFor(gone, groupSeconds)) {
            throw new Error(`the browser's processes ${livingMembers(child.pid, profile)} outlived it`);
        }
        rmSync(profile, { recursive: true, force: true, maxRetries: 50, retryDelay: 100 });
    })();
    return { child, exited, end };
}

// Ends the browsers still open when the test itself is ended.
const open = new Set();
for (const signal of ['SIGINT', 'SIGTERM', 'SIGHUP']) {
    process.once(signal, async () => {
        await Promise.allSettled([...open].map(end => end()));
        process.exit(128 + constants.signals[signal]);
    });
}

// A browser driven through its debugging pipe: JSON messages, each ended by
// a NUL, which no UTF-8 character holds, so that a message is decoded whole.
export async function startBrowser(args = []) {
    const { child, exited, end } = launch(['--remote-debugging-pipe', ...args, 'about:blank'],
                                          ['ignore', 'ignore', 'ignore', 'pipe', 'pipe']);
    open.add(end);
    const answers = new Map();
    let pending = Buffer.alloc(0), lastId = 0;
    child.stdio[4].on('data', chunk => {
        pending = Buffer.concat([pending, chunk]);
        for (let nul; (nul = pending.indexOf(0)) >= 0; pending = pending.subarray(nul + 1)) {
            const message = JSON.parse(pending.subarray(0, nul).toString('utf8'));
            answers.get(message.id)?.(message);
        }
    });
    child.stdio[3].on('error', () => {}); // a browser gone: its answers never come
    const send = (method, params = {}, sessionId = undefined) => {
        const id = ++lastId;
        child.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + '\0');
        return new Promise((resolve, reject) => answers.set(id, answer => {
            answers.delete(id);
            answer.error ? reject(new Error(`${method}: ${answer.error.message}`)) : resolve(answer.result);
        }));
    };
    const close = async () => {
        send('Browser.close').catch(() => {});
        let timer;
        await Promise.race([exited, new Promise(resolve => timer = setTimeout(resolve, closeSeconds * 1000))]);
        clearTimeout(timer);
        await end();
        open.delete(end);
    };
    return { send, close };
}

// The DOM of `url` once its scripts have run, written to `output`; the
// browser's exit status.
export async function dumpDom(url, output, args = []) {
    const fd = openSync(output, 'w');
    const { exited, end } = launch([...args, '--dump-dom', url], ['ignore', fd, 'ignore']);
    open.add(end);
    closeSync(fd);
    const status = await exited;
    await end();
    open.delete(end);
    if (status instanceof Error) throw status;
    return status;
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
    const [command, url, output, ...args] = process.argv.slice(2);
    if (command !== 'dump-dom' || !output) {
        console.error('usage: node browser.mjs dump-dom URL OUTPUT [CHROMIUM_OPTION...]');
        process.exit(2);
    }
    process.exitCode = await dumpDom(url, output, args);
}
