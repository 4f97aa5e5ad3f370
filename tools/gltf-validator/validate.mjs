// Checks a .glb or .gltf file with the Khronos validator (a test oracle; it
// is not part of Tessaron). Prints the report's counts on one line and, for
// each error, its code and message; exits 1 on any error, 2 when the file
// cannot be read.
import { readFile } from 'node:fs/promises';
import { dirname, resolve } from 'node:path';
import validator from 'gltf-validator';

const file = process.argv[2];
if (!file) {
  console.error('usage: node validate.mjs FILE');
  process.exit(2);
}

let bytes;
try {
  bytes = new Uint8Array(await readFile(file));
} catch (error) {
  console.error(`${file}: ${error.message}`);
  process.exit(2);
}

const report = await validator.validateBytes(bytes, {
  uri: file,
  maxIssues: 100,
  externalResourceFunction: async (uri) =>
    new Uint8Array(await readFile(resolve(dirname(file), decodeURIComponent(uri)))),
});

const counts = report.issues;
console.log(`errors ${counts.numErrors} warnings ${counts.numWarnings} ` +
            `infos ${counts.numInfos} hints ${counts.numHints}`);
for (const message of counts.messages) {
  if (message.severity <= 1)
    console.log(`${message.severity === 0 ? 'error' : 'warning'} ${message.code} ` +
                `${message.pointer ?? ''}: ${message.message}`);
}
process.exit(counts.numErrors > 0 ? 1 : 0);
