// The web page in a real browser: writes the sample plan's page with
// tessaron-cli and checks in Chromium that it becomes ready offline without
// a request or a console message, that the kidney's colour is drawn and goes
// when it is hidden, that opacity 0.3 shows the stones inside it, that the
// anterior view puts the patient's right on the left (the models' places
// from `info --json`), that the view turns by mouse and touch and comes back
// with "Reset view", and that phone and tablet viewports draw.
//
//   node check_page.mjs CLI INPUT WORKDIR NODE_MODULES
// Exits 0 when every check holds, 1 on a failure, 77 when Chromium or
// puppeteer-core is missing.
import { execFileSync } from 'node:child_process';
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { browserOrSkip, canvasStats, diff, openPage, setModel, settled } from './browser.mjs';

const [cli, input, work, modules] = process.argv.slice(2);
const failures = [];
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok)
    failures.push(what);
}

mkdirSync(work, { recursive: true });
// A fresh settings folder: the page is written in English.
const env = { ...process.env, HOME: work, XDG_CONFIG_HOME: join(work, 'config') };
const page = join(work, 'plan.html');
const browser = await browserOrSkip(modules);
execFileSync(cli, ['convert', input, page], { env, stdio: 'inherit' });
const info = JSON.parse(execFileSync(cli, ['info', input, '--json'], { env }).toString());
const byAnatomy = (a) => info.models.find((m) => m.anatomy === a);
const kidney = byAnatomy('kidney'), stones = byAnatomy('stones');

try {
  const { tab, report } = await openPage(browser, page, { width: 1280, height: 900 });
  console.log(`ready in ${report.readyMs.toFixed(0)} ms`);

  const names = await tab.$$eval('input[type=checkbox][data-model]', (l) => l.map((e) => e.dataset.model));
  check(JSON.stringify(names) === JSON.stringify(info.models.map((m) => m.name)),
        `a show/hide box per model, named as info --json names them: ${names}`);
  const sliders = await tab.$$eval('input[type=range][data-model]', (l) =>
    l.map((e) => `${e.min}/${e.max}/${e.step}`));
  check(sliders.length === names.length && sliders.every((s) => s === '0/1/0.01'),
        'an opacity slider from 0 to 1 in steps of 0.01 per model');
  check(await tab.$('canvas#view') !== null, 'the view is canvas#view');

  // Everything but the kidney and its stones hidden: the skin covers them.
  for (const m of info.models)
    await setModel(tab, m.name, { shown: m === kidney || m === stones });
  const shown = await canvasStats(tab, kidney.colour, 'opaque');
  check(shown.share > 0.01, `the kidney's colour is on the canvas (${(100 * shown.share).toFixed(1)}%)`);

  await setModel(tab, stones.name, { shown: false });
  await canvasStats(tab, null, 'opaque-no-stones');
  // Only where the kidney is drawn: a stone may lie outside it.
  const hiddenStones = await diff(tab, 'opaque', 'opaque-no-stones', 'opaque-no-stones');
  await setModel(tab, kidney.name, { opacity: 0.3 });
  await canvasStats(tab, null, 'clear-no-stones');
  // The see-through kidney lets the background through wherever it is drawn.
  const blended = await diff(tab, 'opaque-no-stones', 'clear-no-stones', 'opaque-no-stones');
  check(blended > 0.5 * shown.share, `opacity 0.3 blends the kidney (${(100 * blended).toFixed(1)}% of pixels change)`);
  await setModel(tab, stones.name, { shown: true });
  await canvasStats(tab, null, 'clear');
  const seenStones = await diff(tab, 'clear', 'clear-no-stones', 'opaque-no-stones');
  check(hiddenStones < 0.0001 && seenStones > 0.0005,
        `opacity 0.3 shows the stones inside the kidney (${(100 * hiddenStones).toFixed(2)}% ` +
        `of pixels change with them at opacity 1, ${(100 * seenStones).toFixed(2)}% at 0.3)`);
  await setModel(tab, kidney.name, { opacity: 1, shown: false });
  const gone = await canvasStats(tab, kidney.colour);
  check(gone.share < shown.share * 0.05, "unchecking the kidney removes its colour");

  // The two models furthest apart across the body, each alone: the one on the
  // patient's right (larger x) is drawn left of the other.
  const centreX = (m) => (m.box_min[0] + m.box_max[0]) / 2;
  const sorted = [...info.models].sort((a, b) => centreX(b) - centreX(a));
  const [right, left] = [sorted[0], sorted[sorted.length - 1]];
  const placed = {};
  for (const m of [right, left]) {
    for (const other of info.models)
      await setModel(tab, other.name, { shown: other === m, opacity: 1 });
    placed[m.name] = (await canvasStats(tab, m.colour)).meanX;
  }
  check(placed[right.name] < placed[left.name],
        `the anterior view puts the patient's right on the left (${right.name} at ` +
        `${placed[right.name]?.toFixed(2)}, ${left.name} at ${placed[left.name]?.toFixed(2)})`);
  const letters = await tab.$$eval('#letters span', (l) =>
    Object.fromEntries(l.map((s) => [s.dataset.side, parseFloat(s.style.left)])));
  check(letters.right < 50 && letters.left > 50, 'the letter of the right side is on the left');

  for (const m of info.models)
    await setModel(tab, m.name, { shown: true });
  await canvasStats(tab, null, 'home');
  const box = await (await tab.$('canvas#view')).boundingBox();
  const [cx, cy] = [box.x + box.width / 2, box.y + box.height / 2];
  await tab.mouse.move(cx, cy);
  await tab.mouse.down();
  await tab.mouse.move(cx + 150, cy + 40, { steps: 8 });
  await tab.mouse.up();
  await settled(tab);
  await canvasStats(tab, null, 'turned');
  const lettersTurned = await tab.$$eval('#letters span', (l) => l.map((s) => s.style.left).join());
  await tab.click('#reset');
  await settled(tab);
  await canvasStats(tab, null, 'reset');
  check(await diff(tab, 'home', 'turned') > 0.01, 'dragging the mouse turns the view');
  check(lettersTurned !== Object.values(letters).map((v) => `${v}%`).join(), 'the letters turn with it');
  check(await diff(tab, 'home', 'reset') < 0.002, '"Reset view" brings the plan\'s view back');
  check(report.refused.length === 0, `no request but data: and blob: (${report.refused})`);
  check(report.console.length === 0 && report.errors.length === 0,
        `no console error or warning (${[...report.console, ...report.errors]})`);
  await tab.close();

  for (const [what, width, height] of [['phone', 390, 844], ['phone turned', 844, 390],
    ['tablet', 1024, 1366], ['tablet turned', 1366, 1024]]) {
    const touch = await openPage(browser, page, { width, height, hasTouch: true, isMobile: true });
    const drawn = await canvasStats(touch.tab, null, 'home');
    const fits = await touch.tab.evaluate(() => {
      const r = document.getElementById('view').getBoundingClientRect();
      return document.documentElement.scrollWidth <= innerWidth && r.width > 0.5 * innerWidth
        && r.height >= 200 && r.top < innerHeight;
    });
    check(drawn.drawn > 0.05 && fits, `the ${what} viewport (${width}x${height}) draws the plan`);
    const view = await (await touch.tab.$('canvas#view')).boundingBox();
    const [x, y] = [view.x + view.width / 2, view.y + view.height / 2];
    await touch.tab.touchscreen.touchStart(x, y);
    await touch.tab.touchscreen.touchMove(x + 80, y + 10);
    await touch.tab.touchscreen.touchMove(x + 120, y + 20);
    await touch.tab.touchscreen.touchEnd();
    await settled(touch.tab);
    await canvasStats(touch.tab, null, 'turned');
    check(await diff(touch.tab, 'home', 'turned') > 0.01, `one finger turns the view (${what})`);
    await touch.tab.close();
  }
} finally {
  await browser.close();
}
if (failures.length) {
  console.log(`${failures.length} check(s) failed`);
  process.exit(1);
}
