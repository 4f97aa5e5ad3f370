// The first frame of web pages in Chromium: for each NAME=PAGE given, the
// median over three loads of the time from the start of navigation to the
// moment the page says its first frame is drawn, printed as a BENCH line.
//
//   node web_first_frame.mjs NODE_MODULES NAME=PAGE...
import { browserOrSkip, openPage } from '../tests/web/browser.mjs';

const [modules, ...pages] = process.argv.slice(2);
const browser = await browserOrSkip(modules);
try {
  for (const entry of pages) {
    const [name, file] = entry.split('=');
    const times = [];
    for (let run = 0; run < 3; ++run) {
      const { tab } = await openPage(browser, file, { width: 1280, height: 900 });
      // performance.now() counts from the start of the navigation.
      times.push(await tab.evaluate(() => window.tessaronReadyMs));
      await tab.close();
    }
    times.sort((a, b) => a - b);
    console.log(`BENCH web_first_frame_${name} ${times[1].toFixed(0)} ms`);
  }
} finally {
  await browser.close();
}
