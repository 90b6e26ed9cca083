// Bundles the page's scripts (src/main.js and what it imports, CodeMirror and marked
// included) into one minified app.js in the site folder.
//   node web/build.mjs build-web/site
import { build } from 'esbuild';
import { fileURLToPath } from 'node:url';
import { dirname, join, resolve } from 'node:path';

const site = process.argv[2];
if (!site) {
    console.error('usage: node web/build.mjs SITE_FOLDER');
    process.exit(2);
}
const here = dirname(fileURLToPath(import.meta.url));

await build({
    entryPoints: [join(here, 'src', 'main.js')],
    outfile: join(resolve(site), 'app.js'),
    bundle: true,
    format: 'esm',
    minify: true,
    target: ['es2022'],
    legalComments: 'none',
    logLevel: 'warning',
});
