// The README's screenshots of the player: quick sort of 16 small random
// values in the middle of a partition, at 1280 and at 390 px wide.
//   node scripts/player_screenshots.mjs SORT_TRACE OUTPUT_DIR
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

import { startBrowser } from '../tests/support/browser.mjs';

const [sortTrace, output] = process.argv.slice(2);
const work = mkdtempSync(join(tmpdir(), 'adtlab-shots-'));
const page = join(work, 'quick.html');
execFileSync(sortTrace, ['--html', page, '-a', 'quick', '--size', '16', '--shape', 'small-random', '--seed', '4']);
const browser = await startBrowser();
try {
    const { targetInfos } = await browser.send('Target.getTargets');
    const { sessionId } = await browser.send('Target.attachToTarget',
        { targetId: targetInfos.find(t => t.type === 'page').targetId, flatten: true });
    const send = (method, params = {}) => browser.send(method, params, sessionId);
    for (const [width, height] of [[1280, 760], [390, 1100]]) {
        await send('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: 1, mobile: width < 600 });
        await send('Page.navigate', { url: 'about:blank' });
        await send('Page.navigate', { url: `${pathToFileURL(page).href}#step=40` });
        for (let k = 0; k < 200; k++) {   // until the page has drawn its step
            const { result } = await send('Runtime.evaluate',
                { expression: 'document.getElementById("step")?.textContent || ""', returnByValue: true });
            if (result.value.startsWith('step 40 ')) break;
            await new Promise(resolve => setTimeout(resolve, 50));
        }
        const { data } = await send('Page.captureScreenshot', { format: 'png' });
        writeFileSync(join(output, `quick-partition-${width}.png`), Buffer.from(data, 'base64'));
    }
} finally {
    await browser.close();
    rmSync(work, { recursive: true, force: true });
}
