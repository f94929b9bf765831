// Validates glTF files with the Khronos glTF validator: prints each file's
// counts of errors, warnings, infos and hints, then every error and warning;
// the exit status is 1 when any file has an error or a warning, other than
// the warnings whose codes VERDIN_ALLOWED_WARNINGS lists (comma-separated).
//   node validate.mjs FILE.glb|FILE.gltf...
import { readFile } from 'node:fs/promises';
import path from 'node:path';
import validator from 'gltf-validator';

const allowed = new Set((process.env.VERDIN_ALLOWED_WARNINGS ?? '').split(',').filter(Boolean));
let failed = false;
for (const file of process.argv.slice(2)) {
    const bytes = new Uint8Array(await readFile(file));
    const report = await validator.validateBytes(bytes, {
        uri: path.basename(file),
        maxIssues: 0,
        externalResourceFunction: (uri) =>
            readFile(path.join(path.dirname(file), decodeURIComponent(uri))).then((data) => new Uint8Array(data)),
    });
    const { numErrors, numWarnings, numInfos, numHints, messages } = report.issues;
    console.log(`${file}: ${numErrors} errors, ${numWarnings} warnings, ${numInfos} infos, ${numHints} hints`);
    for (const message of messages)
        if (message.severity <= 1 || process.env.VERDIN_ALL_ISSUES)
            console.log(`  ${message.code} ${message.pointer ?? ''}: ${message.message}`);
    failed ||= numErrors > 0 || messages.some((message) => message.severity === 1 && !allowed.has(message.code));
}
process.exit(failed ? 1 : 0);
