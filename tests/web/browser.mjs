// Opens a page that tessaron-cli wrote in Debian's Chromium (headless, WebGL
// on SwiftShader) driven by puppeteer-core, with the network refused, and
// reads what its canvas shows. Shared by the page's test, its benchmark and
// the README's screenshots.
import { existsSync } from 'node:fs';
import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';

export const SKIP = 77;
export const CHROMIUM = process.env.TESSARON_CHROMIUM || '/usr/bin/chromium';

// puppeteer-core from tools/webpage/node_modules, or null when it is absent.
export async function loadPuppeteer(modules) {
  try {
    const require = createRequire(`${modules}/`);
    return (await import(pathToFileURL(require.resolve('puppeteer-core')).href)).default;
  } catch {
    return null;
  }
}

// Exits with the skip status when the browser or the driver is missing.
export async function browserOrSkip(modules) {
  if (!existsSync(CHROMIUM)) {
    console.log(`SKIP: ${CHROMIUM} is not installed (scripts/install-deps.sh installs it)`);
    process.exit(SKIP);
  }
  const puppeteer = await loadPuppeteer(modules);
  if (!puppeteer) {
    console.log('SKIP: puppeteer-core is not installed in tools/webpage (scripts/install-deps.sh)');
    process.exit(SKIP);
  }
  return puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    args: ['--headless=new', '--no-sandbox', '--use-angle=swiftshader',
           '--enable-unsafe-swiftshader', '--disable-gpu-sandbox', '--mute-audio'],
  });
}

// A tab on the page with every request but the page itself, data: and blob:
// refused and recorded, the network off, and the console's errors and
// warnings recorded.
export async function openPage(browser, file, viewport) {
  const tab = await browser.newPage();
  const report = { refused: [], console: [], errors: [] };
  await tab.setViewport(viewport);
  await tab.setOfflineMode(true);
  await tab.setRequestInterception(true);
  const url = pathToFileURL(file).href;
  tab.on('request', (request) => {
    const target = request.url();
    if (target === url || target.startsWith('data:') || target.startsWith('blob:'))
      request.continue();
    else {
      report.refused.push(target);
      request.abort();
    }
  });
  tab.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warn')
      report.console.push(`${message.type()}: ${message.text()}`);
  });
  tab.on('pageerror', (error) => report.errors.push(String(error)));
  const started = performance.now();
  await tab.goto(url, { waitUntil: 'load' });
  await tab.waitForFunction('window.tessaronReady === true', { timeout: 120000 });
  report.readyMs = performance.now() - started;
  return { tab, report };
}

// Waits until the page has drawn the frames its last change asked for.
export function settled(tab) {
  return tab.evaluate(() => new Promise((done) =>
    requestAnimationFrame(() => requestAnimationFrame(() => setTimeout(done, 30)))));
}

// What the canvas shows: for a colour (0..255), the pixels of its hue (any
// shade) and their mean x as a share of the width; the pixels that are not
// the background; and, with `keep`, the picture under that name for diff().
export function canvasStats(tab, colour, keep) {
  return tab.evaluate((colour, keep) => {
    const view = document.getElementById('view');
    const copy = document.createElement('canvas');
    copy.width = view.width;
    copy.height = view.height;
    const g = copy.getContext('2d', { willReadFrequently: true });
    g.drawImage(view, 0, 0);
    const data = g.getImageData(0, 0, copy.width, copy.height).data;
    if (keep)
      (window.kept ||= {})[keep] = data;
    const top = colour ? Math.max(...colour, 1) : 1;
    const want = colour ? colour.map((c) => c / top) : null;
    let count = 0, sumX = 0, drawn = 0;
    const [br, bg, bb] = [data[0], data[1], data[2]];
    for (let i = 0, p = 0; i < data.length; i += 4, ++p) {
      const r = data[i], gr = data[i + 1], b = data[i + 2];
      if (Math.abs(r - br) + Math.abs(gr - bg) + Math.abs(b - bb) > 24)
        ++drawn;
      const m = Math.max(r, gr, b);
      if (!want || m < 60)
        continue;
      const d = Math.abs(r / m - want[0]) + Math.abs(gr / m - want[1]) + Math.abs(b / m - want[2]);
      if (d < 0.12) {
        ++count;
        sumX += p % copy.width;
      }
    }
    const total = copy.width * copy.height;
    return { count, share: count / total, meanX: count ? sumX / count / copy.width : null,
             drawn: drawn / total, width: copy.width, height: copy.height };
  }, colour, keep);
}

// The share of pixels that differ between two kept pictures; with `within`,
// only among the pixels that picture draws (not the background).
export function diff(tab, a, b, within) {
  return tab.evaluate((a, b, within) => {
    const x = window.kept[a], y = window.kept[b], m = within ? window.kept[within] : null;
    const apart = (p, i, q, j) =>
      Math.abs(p[i] - q[j]) + Math.abs(p[i + 1] - q[j + 1]) + Math.abs(p[i + 2] - q[j + 2]);
    let changed = 0;
    // The first pixel, a corner, is the background.
    for (let i = 0; i < x.length; i += 4)
      if (apart(x, i, y, i) > 30 && (!m || apart(m, i, m, 0) > 24))
        ++changed;
    return changed / (x.length / 4);
  }, a, b, within);
}

// Sets a model's show/hide box or opacity slider as a user would.
export async function setModel(tab, name, { shown, opacity }) {
  await tab.evaluate((name, shown, opacity) => {
    const box = document.querySelector(`input[type=checkbox][data-model="${CSS.escape(name)}"]`);
    const slider = document.querySelector(`input[type=range][data-model="${CSS.escape(name)}"]`);
    if (shown !== undefined && box.checked !== shown)
      box.click();
    if (opacity !== undefined) {
      slider.value = String(opacity);
      slider.dispatchEvent(new Event('input', { bubbles: true }));
    }
  }, name, shown, opacity);
  await settled(tab);
}
