// The README's pictures of a plan's web page: the page in Chromium on a
// phone (390 x 844) and a tablet (1024 x 1366), upright, with the opacities
// given set by the sliders first.
//
//   node tools/webpage/screenshots.mjs PAGE OUT_DIR [MODEL=OPACITY...]
// writes OUT_DIR/web-phone.png and OUT_DIR/web-tablet.png.
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { browserOrSkip, openPage, setModel } from '../../tests/web/browser.mjs';

const [page, out, ...opacities] = process.argv.slice(2);
const modules = join(dirname(fileURLToPath(import.meta.url)), 'node_modules');
const browser = await browserOrSkip(modules);
try {
  for (const [name, width, height] of [['web-phone', 390, 844], ['web-tablet', 1024, 1366]]) {
    const { tab } = await openPage(browser, page, { width, height, hasTouch: true, isMobile: true });
    for (const entry of opacities) {
      const [model, value] = entry.split('=');
      await setModel(tab, model, { opacity: Number(value) });
    }
    await tab.screenshot({ path: join(out, `${name}.png`) });
    await tab.close();
  }
} finally {
  await browser.close();
}
