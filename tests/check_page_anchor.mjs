// adtlab-check's page opened at a group's first difference, in a short
// window of headless Chromium: the player's controls are in view and the
// first difference is below them, not under them.
//   node check_page_anchor.mjs PAGE FRAGMENT
import assert from 'node:assert/strict';
import { pathToFileURL } from 'node:url';

import { startBrowser } from './support/browser.mjs';

const [page, fragment] = process.argv.slice(2);
const browser = await startBrowser(['--window-size=800,400']);
try {
    const { targetId } = await browser.send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await browser.send('Target.attachToTarget', { targetId, flatten: true });
    const send = (method, params = {}) => browser.send(method, params, sessionId);
    await send('Page.navigate', { url: `${pathToFileURL(page).href}#${fragment}` });
    // Where the controls and the fragment's element stand once the page has
    // loaded and scrolled to it.
    const expression = `(() => {
        if (document.readyState !== "complete" || scrollY === 0) return null;
        const bar = document.querySelector(".controls").getBoundingClientRect();
        const target = document.getElementById(${JSON.stringify(fragment)}).getBoundingClientRect();
        return { top: bar.top, bottom: bar.bottom, target: target.top, height: innerHeight };
    })()`;
    const deadline = Date.now() + 120000;
    let seen = null;
    while (!seen) {
        assert.ok(Date.now() < deadline, `#${fragment}: not scrolled to within 120 s`);
        ({ result: { value: seen } } = await send('Runtime.evaluate', { expression, returnByValue: true }));
        if (!seen) await new Promise(resolve => setTimeout(resolve, 50));
    }
    assert.ok(seen.top >= 0 && seen.bottom <= seen.height, `controls out of view: ${JSON.stringify(seen)}`);
    assert.ok(seen.target >= seen.bottom && seen.target < seen.height,
              `#${fragment} not below the controls: ${JSON.stringify(seen)}`);
} finally {
    await browser.close();
}
